/* Veltra support library: library frame: the user's locale separators as
 * read once when the library was loaded. */
#ifndef VELTRA_FRAME_H
#define VELTRA_FRAME_H

#include "veltra/export.h"

/* Separator of the user's locale: 0 the date separator, 1 the time
 * separator, 2 the decimal separator, each one character long. Any other
 * value gives an empty string, never null. The text belongs to the library
 * and stays valid while it is loaded; do not write to it. */
VELTRA_FN const char* GetSep(int which);

/* Replaces the first "." of text by the locale's decimal separator, so that
 * a number written with a point reads in the user's notation. Returns text;
 * a text without "." is unchanged; a null text returns null. */
VELTRA_FN char* lcFloatConv(char* text);

/* Replaces the first locale decimal separator in text by "."; the opposite
 * of lcFloatConv. Returns text; a null text returns null. */
VELTRA_FN char* lcConvFloat(char* text);

#endif
