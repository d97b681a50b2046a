// The table control "DataGridWnd": rows and columns of text cells with a
// title row, a selected cell and in-place editing of one cell at a time.
// The messages it understands and the notifications it sends are listed in
// ui/win32/grid_protocol.h; the one below is its own addition.
#pragma once

#include <windows.h>

namespace vt::grid {

// Registers the window class (a global class, so that dialog templates of
// any module can name it). Returns false only when registration failed for
// another reason than the class existing already.
bool register_datagrid(HINSTANCE instance);

// wParam: row | column << 16, lParam: RECT* that receives the cell's
// rectangle in client coordinates; nonzero when the cell exists and is
// scrolled into view.
constexpr UINT kGetCellRect = WM_USER + 64;

}  // namespace vt::grid
