/* Veltra support library: checksums, hex text, data cipher, colour model. */
#ifndef VELTRA_CODEC_H
#define VELTRA_CODEC_H

#include <stdint.h>

#include "veltra/export.h"

/* CRC-16/MODBUS (polynomial 0xA001 reflected, start 0xFFFF, no final
 * inversion) over count bytes, as a signed 16-bit value. A null data pointer
 * gives 0xFFFF (-1); a count of 0 or less gives 0xFFFF. */
VELTRA_FN int16_t CRC16(const void* data, int count);

/* The library's 32-bit CRC (reflected polynomial 0xEDB88320, every right
 * shift arithmetic, so not the standard CRC-32) over count bytes, continuing
 * from the running value crc; no start value or final inversion is applied.
 * Null data or a count of 0 or less returns crc unchanged. */
VELTRA_FN int32_t CRC32(const void* data, int count, int32_t crc);

/* Writes the first count bytes of the string src as upper-case hex text
 * (two digits a byte) into dst, which must hold 2 * count + 1 bytes; a count
 * of -1 means the whole string, a count beyond the string stops at its end,
 * 0 or another negative count gives "". dst may be src. Returns dst, or null
 * when dst or src is null or no work copy can be made. */
VELTRA_FN char* StrToHex(char* dst, const char* src, int count);

/* Decodes the hex text src (digits in either case, two per byte) into dst,
 * which must hold strlen(src) / 2 + 1 bytes, and terminates it; dst may be
 * src. Returns dst, or null when an argument is null; on a non-hex character
 * or an odd number of digits returns null with dst set to "". Never reads
 * past src's terminator. */
VELTRA_FN char* HexToStr(char* dst, const char* src);

#endif
