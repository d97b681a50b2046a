// Reading texts out of list boxes, combo boxes and list views into fixed
// buffers without ever writing past them.
#pragma once

#include <windows.h>

#include <cstddef>

namespace vt::ui {

// Entry index of a list box (or, with combo, a combo box) into buf,
// terminated and cut at size - 1 characters. False when there is no such
// entry.
bool list_entry_text(HWND control, bool combo, int index, char* buf, std::size_t size);

// Cell (row, column) of a list view into buf, terminated and cut. False when
// the list view refuses.
bool list_view_cell(HWND list_view, int row, int column, char* buf, std::size_t size);

// Columns of a list view, as its header counts them (0 without a header).
int list_view_columns(HWND list_view);

}  // namespace vt::ui
