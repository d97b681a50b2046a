/* Veltra support library: dialog item helpers. */
#ifndef VELTRA_DLGITEM_H
#define VELTRA_DLGITEM_H

#include <windows.h>

#include "veltra/export.h"

/* Shows (`show` nonzero) or hides item `id`; ShowWindow's result. */
VELTRA_FN BOOL ShowDlgItem(HWND dialog, int id, BOOL show);

/* Shows or hides the listed items; the list ends at the first id 0. */
VELTRA_FN void ShowDlgItems(HWND dialog, BOOL show, ...);

/* Enables or disables item `id`; EnableWindow's result. */
VELTRA_FN BOOL EnableDlgItem(HWND dialog, int id, BOOL enable);

/* Enables or disables the listed items; each id counts as its low 16 bits
 * and the list ends at the first id whose low 16 bits are 0 (so 65536 ends
 * it too). */
VELTRA_FN void EnableDlgItems(HWND dialog, BOOL enable, ...);

/* Gives item `id` the keyboard focus; SetFocus's result (null on failure). */
VELTRA_FN HWND SetDlgItemFocus(HWND dialog, int id);

/* Takes pairs (id, limit) and limits the text of each edit or combo-box
 * item; stops at the first id <= 0 or limit < 1. Returns the number of items
 * limited (items of other classes and missing items are skipped). */
VELTRA_FN int LimitItemText(HWND dialog, ...);

/* Shows the wait cursor, remembering the one it replaces; nestable (the
 * third and deeper levels share one slot). */
VELTRA_FN void WaitCursor(void);

/* Goes back one WaitCursor level; extra calls stay at the outermost cursor. */
VELTRA_FN void RestoreCursor(void);

/* Translates and dispatches every waiting message of `window` (null: of the
 * thread). Returns 0 when the queue is empty; the nonzero result of
 * InSendMessage when called while handling a message sent by another thread
 * (the queue is left alone); on WM_QUIT, posts it again and returns the
 * result of posting. */
VELTRA_FN BOOL Dispatch(HWND window);

/* Opens a batch of deferred moves for n windows (room for n + 4). Nonzero
 * when opened; without a batch moves happen at once. */
VELTRA_FN BOOL InitDeferWindow(int n);

/* Ends the batch, moving all its windows; 0 when no batch was open. */
VELTRA_FN BOOL ExitDeferWindow(void);

/* Moves `window` by (dx, dy) (in its parent's client coordinates for a child
 * window), keeping its size; nothing for a null window or zero deltas. */
VELTRA_FN void MoveWindowRelative(HWND window, int dx, int dy);

/* Changes the size of `window` by (dwidth, dheight), keeping its position. */
VELTRA_FN void ResizeWindowRelative(HWND window, int dwidth, int dheight);

/* MoveWindowRelative for each listed item; the list ends at the first id 0. */
VELTRA_FN void MoveDlgItemsRelative(HWND dialog, int dx, int dy, ...);

/* ResizeWindowRelative for each listed item; the list ends at the first id 0. */
VELTRA_FN void ResizeDlgItemsRelative(HWND dialog, int dwidth, int dheight, ...);

/* Sets item `id` to *value as "%G" text (point as decimal separator).
 * Returns SetDlgItemTextA's result; 0, leaving the item unchanged, for a null
 * pointer or a text of 80 or more characters. */
VELTRA_FN BOOL SetDlgItemFloat(HWND dialog, int id, const double* value);

/* Reads item `id` (at most 79 characters) as a number, a comma or a point as
 * decimal separator, leading white space allowed. Returns 1 and stores the
 * value; 0, leaving *value untouched, for an empty item, no number or any
 * character after the number. */
VELTRA_FN BOOL GetDlgItemFloat(HWND dialog, int id, double* value);

#endif
