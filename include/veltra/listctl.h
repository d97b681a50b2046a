/* Veltra support library: list and table control filling, export and clipboard.
 *
 * Controls are told apart by their window class name, compared ignoring
 * case: "Listbox", "Combobox", "SysListView32", "SysTreeView32",
 * "SysTabControl32" and the suite's table control "DataGridWnd". Filling
 * functions stop at the first failing step and leave the control partly
 * filled. */
#ifndef VELTRA_LISTCTL_H
#define VELTRA_LISTCTL_H

#include <windows.h>
#include <commctrl.h>

#include "veltra/export.h"

/* The messages that reset, insert into, select in and set item data of a
 * list box (result 1) or combo box (result 2). Any other window, or a null
 * out-pointer, gives 0 and leaves the outputs untouched. */
VELTRA_FN int GetListMessages(HWND control, UINT* reset, UINT* insert, UINT* setSelection,
                              UINT* setItemData);

/* An image list of cx x cy images with a mask, made from bitmap resource
 * bitmapId of module; null when cx is 0 or the bitmap or list cannot be
 * made. The caller owns the list. */
VELTRA_FN HIMAGELIST LoadImageList(HINSTANCE module, WORD bitmapId, COLORREF maskColour, int cx,
                                   int cy, int grow);

/* Gives a list view (small icons), tree view (normal) or tab control an
 * image list made by LoadImageList. 1 when set; 0 for another class or when
 * the list cannot be made. */
VELTRA_FN int SetImageList(HWND control, HINSTANCE module, WORD bitmapId, COLORREF maskColour,
                           int cx, int cy, int grow);

/* Switches on double buffering of a tree view on systems that have it, to
 * stop smearing while scrolling. A null window does nothing. */
VELTRA_FN void TVWorkAroundSmeare(HWND tree);

/* Fills list box or combo box id of dialog with the numbers first..last and
 * selects select when it is among them. 1 on success; 0 when the item is no
 * list box or combo box or an insertion fails. first > last only empties. */
VELTRA_FN int InitListInt(HWND dialog, int id, int first, int last, int select);

/* Fills list box or combo box id with strings firstId..firstId+count-1 of
 * module's string table (null module: this library; at most 255 characters
 * each) and selects the entry at index select. 0 at once on a missing
 * string. */
VELTRA_FN int InitListStr(HWND dialog, int id, HINSTANCE module, UINT firstId, int count,
                          int select);

/* Replaces the tabs of tab control id by text tabs from strings
 * firstId..firstId+count-1 (at most 255 characters each) and makes tab
 * select current. 0 when the item is no tab control, and at once on a
 * missing string or failing insertion. */
VELTRA_FN int InitTabStr(HWND dialog, int id, HINSTANCE module, UINT firstId, int count,
                         int select);

/* Adds columns to list view or table id from the column strings
 * firstId..firstId+count-1: "title|width|align" (width default 80, align
 * "r" right, "c" centre, else left; at most 79 characters). 0 when the item
 * is missing or of another class. */
VELTRA_FN int InitHeaderStr(HWND dialog, int id, HINSTANCE module, UINT firstId, int count);

/* Writes a report-view list view to a text file (cells separated by
 * blanks) or, when the name contains ".csv" or ".CSV", a ";"-separated
 * file, every cell padded to its column's width, under a title line with
 * the local time. A null file asks for a name. 1 when the file was written;
 * 0 for a view whose style lacks the report bit 0x0001 (with a beep), on
 * cancel, or when the file cannot be opened or written (with a message). */
VELTRA_FN int ExportListView(HWND listView, const char* file, const char* title);

/* Copies a list box, combo box or list view (cells each followed by a tab)
 * or a tree view (items indented by one tab per level) to the clipboard as
 * text, one line per item. 1 / 0; texts too long for the line or item
 * buffers are cut. */
VELTRA_FN int List_CopyToClipboard(HWND control);

/* Copies a list box, list view or table to the clipboard as text: cells
 * separated by tabs, rows ended by CR LF. mode -1: selected rows when any
 * are selected, else all; above 0: selected rows; 0 or below: all rows (a
 * table always copies all). Nonzero on success, also when no row was
 * copied; 0 for another class or when the clipboard or memory fails. */
VELTRA_FN int CopyListToClipboard(HWND control, int mode);

#endif
