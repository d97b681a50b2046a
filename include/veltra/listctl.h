/* Veltra support library: list and table control filling, export and clipboard. */
#ifndef VELTRA_LISTCTL_H
#define VELTRA_LISTCTL_H

#include "veltra/export.h"

#endif
