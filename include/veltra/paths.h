/* Veltra support library: special folders, paths and file dialogs. */
#ifndef VELTRA_PATHS_H
#define VELTRA_PATHS_H

#include "veltra/export.h"

#endif
