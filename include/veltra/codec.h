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

/* Method numbers and flags of CryptData. */
#define VELTRA_CRYPT_DES 1
#define VELTRA_CRYPT_RC4 2
#define VELTRA_CRYPT_DECIPHER 1   /* DES deciphers (RC4 is its own inverse) */
#define VELTRA_CRYPT_KEY_REVERSED 2 /* use the key last character first */

/* Enciphers or deciphers count bytes of src into dst (which may be src) with
 * method 1, DES in electronic-codebook mode under a key of exactly 8
 * characters (the first the most significant byte), or method 2, RC4 under
 * all characters of a key of 3 or more. Enciphering DES fills a last partial
 * block with zero bytes, so dst must hold count rounded up to a multiple of
 * 8; otherwise dst must hold count bytes. Every call starts afresh from the
 * key. Flags: VELTRA_CRYPT_DECIPHER, VELTRA_CRYPT_KEY_REVERSED (the caller's
 * key is only read).
 * Returns the number of bytes written: count rounded up to a multiple of 8
 * for DES enciphering, count otherwise. Returns 0 for an unknown method, and
 * 0 for a negative count or a null src or dst with a count above 0; -1 when
 * the key is null or has the wrong length for the method; -3 when DES
 * deciphers a count that is not a multiple of 8. On 0, -1 and -3 dst is
 * untouched. */
VELTRA_FN int CryptData(int method, void* dst, const void* src, int count,
                        const char* key, int flags);

/* Colour model conversion on the scale 0..240 for hue, lightness and
 * saturation and 0..255 for red, green and blue. The hue circle is turned by
 * a third against the usual one: red at 80, green at 160, blue at 0 (= 240).
 * Results are truncated toward zero, not rounded. Out-of-range input:
 * RGBtoHLS takes components above 255 as 255; HLStoRGB takes hues above 240
 * modulo 240 and lightness or saturation above 240 as 240. Null output
 * pointers are skipped. */
VELTRA_FN void RGBtoHLS(uint16_t red, uint16_t green, uint16_t blue, uint16_t* hue,
                        uint16_t* lightness, uint16_t* saturation);
VELTRA_FN void HLStoRGB(uint16_t hue, uint16_t lightness, uint16_t saturation,
                        uint16_t* red, uint16_t* green, uint16_t* blue);

#endif
