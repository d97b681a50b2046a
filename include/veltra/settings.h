/* Veltra support library: settings store in the registry and ini-file location. */
#ifndef VELTRA_SETTINGS_H
#define VELTRA_SETTINGS_H

#include "veltra/export.h"

#endif
