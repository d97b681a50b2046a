/* Veltra support library: text packed into arrays of doubles. */
#ifndef VELTRA_DBTEXT_H
#define VELTRA_DBTEXT_H

#include <stdint.h>

#include "veltra/export.h"

/* Longest text an array of doubles holds; larger limits are lowered to it. */
#define VELTRA_DBTEXT_MAX 95

/* Packs text into numbers, six bytes a double (first byte lowest, so each
 * double is an integer below 2^48), ending with a zero byte inside the data.
 * At most limit characters are stored (limit lowered to 95); a text of n
 * stored characters takes (n + 1 + 5) / 6 doubles, and numbers must hold
 * limit / 6 + 1 doubles. A null text counts as "". A limit of 0 writes one
 * double 0.0; a limit of -1 or below writes nothing.
 * Returns the number of doubles written; 0 when numbers is null, the limit
 * is below 0, or the array cannot be written (checked in Windows builds). */
VELTRA_FN int32_t SetDBText(double* numbers, int32_t limit, const char* text);

/* Unpacks text from numbers into buffer (size bytes, terminator included),
 * at most limit (lowered to 95) and at most size - 1 bytes, and terminates
 * it. Returns the number of bytes placed before the final terminator: when
 * the stored text ended first, its zero byte was placed too and counts
 * (stored "AB" gives "AB" and 3); when the limit or the size cut it, the
 * count of characters. A double that is not a finite number within the
 * 64-bit integer range, or an array that cannot be read (checked in Windows
 * builds), gives "#ERROR" and 6 (cut to size - 1 bytes in a smaller buffer).
 * Returns 0 and writes nothing when buffer or numbers is null or size is
 * below 1. */
VELTRA_FN int32_t GetDBText(char* buffer, int32_t size, const double* numbers, int32_t limit);

#endif
