/* Veltra support library: the format word, number formatting and scanning. */
#ifndef VELTRA_FORMAT_H
#define VELTRA_FORMAT_H

#include "veltra/export.h"

#endif
