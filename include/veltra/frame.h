/* Veltra support library: library frame: locale separators (GetSep, lcFloatConv, lcConvFloat). */
#ifndef VELTRA_FRAME_H
#define VELTRA_FRAME_H

#include "veltra/export.h"

#endif
