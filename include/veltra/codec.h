/* Veltra support library: checksums, hex text, data cipher, colour model. */
#ifndef VELTRA_CODEC_H
#define VELTRA_CODEC_H

#include "veltra/export.h"

#endif
