/* Veltra support library: registry item edit dialog. */
#ifndef VELTRA_REGITEM_H
#define VELTRA_REGITEM_H

#include "veltra/export.h"

#endif
