/* Veltra support library: owner-drawn colour list.
 *
 * Each entry of an owner-drawn list box or combo box (with strings) shows a
 * colour swatch and the colour's name. An entry's item data is its colour:
 * a plain RGB value, or a palette-index reference (high byte 0x01, index in
 * the low 16 bits) resolved through the palette given when drawing. */
#ifndef VELTRA_COLORLIST_H
#define VELTRA_COLORLIST_H

#include <windows.h>

#include "veltra/export.h"

/* Appends the "|"-separated names (empty pieces skipped) to a list box or
 * combo box. With a palette, entry i gets palette entry i's colour (flags
 * cleared) and only as many names as the palette has entries are added;
 * without one, entry i gets the reference to palette index i. 1 when
 * filled; 0 for a null name list or another class of window. */
VELTRA_FN int InitColorList(HWND control, const char* names, const LOGPALETTE* palette);

/* Fills an owner-drawn item's rectangle with the standard background
 * (grey for a disabled control, highlight when selected, else window
 * colour), sets the matching text colour and transparent text. 1; 0 for a
 * null record. */
VELTRA_FN int OwnerDrawStdBackground(const DRAWITEMSTRUCT* item);

/* Draws one colour entry: background, a square swatch at the left, the name
 * (at most 135 characters) and, with the focus, a focus rectangle. 1 when
 * drawn or nothing to draw (null record, empty control); 0 for another
 * control type, or a palette-index reference without a palette or beyond
 * it (then only the background is drawn). */
VELTRA_FN int OwnerDrawColorList(const DRAWITEMSTRUCT* item, const LOGPALETTE* palette);

#endif
