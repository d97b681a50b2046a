/* Veltra support library: the format word, number formatting and scanning.
 *
 * A value is shown under two 16-bit integers: a format word and a count of
 * decimals. Format word bits:
 *   0x007F  field width (all characters of the value; with 0x0800 it includes
 *           five characters of exponent); in the date/time selection
 *           (0x0200 | 0x0400) the set of fields shown instead:
 *           0x01 seconds, 0x02 minutes, 0x04 hours, 0x08 day, 0x10 month,
 *           0x20 year, 0x40 weekday
 *   0x0080  binary digits          0x0100  hexadecimal digits
 *   0x0200  duration (alone) or date/time selection (with 0x0400)
 *   0x0400  leading zeros          0x0800  exponent notation
 *   0x8000  plain form: the word is reduced to a plain decimal (or, without
 *           0x080/0x100/0x200, loses only its leading zeros) before use
 * Decimals: digits after the point (of fractional seconds for a duration);
 * 0 means no point. A negative count of decimals is taken as 0. */
#ifndef VELTRA_FORMAT_H
#define VELTRA_FORMAT_H

#include <stdint.h>

#include "veltra/export.h"

/* The mask text of a format word, such as "#####.##", "0xxxx", "E##.###",
 * "hh:mm:ss.sss" or "W DD.MM.YYYY HH:MM:SS". Returns one static 80-byte
 * buffer, valid until the next FormatStr or FormatStrLen from any thread;
 * a mask longer than 79 characters is cut at 79. Cannot fail. */
VELTRA_FN const char* FormatStr(int16_t format, int16_t decimals);

/* The display width of FormatStr(format, decimals): its characters other
 * than the flag prefixes "0" and "E". Uses the same static buffer. */
VELTRA_FN int FormatStrLen(int16_t format, int16_t decimals);

/* Reads a mask text into a format word and decimals. allowed is a format
 * word whose bits 0x080, 0x100, 0x200, 0x400 and 0x800 say which forms are
 * accepted; the plain "#" form always is. Blanks around the mask are
 * ignored. Date/time masks are known by their pieces "SS", ":MM", "HH",
 * "DD", "MM.", "YY" and "W". An "E" before a duration or date/time mask,
 * and a "0" before a duration, is rejected. Returns 1 and writes both
 * outputs when text is a valid mask of an allowed form with a width of 1 to
 * 32; else 0, outputs untouched (also for a null text or output
 * pointer). */
VELTRA_FN int ScanFormat(const char* text, int16_t* format, int16_t* decimals,
                         int16_t allowed);

/* Representations of FormatFloat other than the value itself. */
#define VELTRA_REPR_BLANK 2      /* the field filled with blanks */
#define VELTRA_REPR_DASHES 3     /* a placeholder of "-" such as "-----.--" */
#define VELTRA_REPR_HASHES 4     /* a placeholder of "#" such as "#####.##" */

/* Writes value as text under format and decimals into buffer and returns
 * buffer. The buffer must hold at least 80 bytes, width + 1 and decimals + 18
 * bytes. Digits are correctly rounded from the exact binary value; the
 * decimal point is always ".". NaN gives "#NAN", infinities "#INF" and
 * "#NINF"; a value the form cannot show gives "#NAN"; a value too long for
 * the width is shown in exponent notation ("1.50E+003"). representation 2, 3
 * or 4 writes a placeholder instead of the value (see above). */
VELTRA_FN char* FormatFloat(char* buffer, int16_t format, int16_t decimals,
                            double value, int representation);

/* Reads a value from text under format. The text is changed: it is turned
 * to lower case and the locale decimal separator becomes "."; pass a private
 * copy. A leading "#" (plain decimal) or "&#", "&T" (date/time), "&t"
 * (duration), "&b" (binary), "&x" (hexadecimal) chooses the form whatever
 * format says. "#NAN", "#INF", "#NINF" (any case) give NaN and infinities.
 * A decimal beyond the range of a double reads as the infinity or the zero
 * it tends to ("1e400", "1e-400"), without error. When error is not null it
 * receives 1 when the text held no valid value (empty or white space only, a
 * decimal of which no character could be converted, a stray digit or letter
 * after a binary or hexadecimal number, a duration field that is no number
 * when no days were given, a date or time that does not read), else 0.
 * Characters after a decimal number are ignored. The result on error is what
 * was read: 0 for a decimal, -1.0 for a date or time. A null text gives 0
 * with error 1. */
VELTRA_FN double ScanFloat(char* text, int16_t format, int* error);

#endif
