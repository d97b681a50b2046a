/* Veltra support library: dialog item helpers. */
#ifndef VELTRA_DLGITEM_H
#define VELTRA_DLGITEM_H

#include "veltra/export.h"

#endif
