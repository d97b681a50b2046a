// The window messages, records and notifications spoken between the library
// and the suite's table control (window class "DataGridWnd"). The control
// itself lives outside the library; this is the whole of what the library
// sends it and expects of it.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

namespace vt::ui::grid {

constexpr char kClassName[] = "DataGridWnd";

// Messages to the table (window messages above WM_USER).
constexpr UINT kInsertColumn = WM_USER + 2;   // lParam: Column*; result: new index or -1
constexpr UINT kInsertRows = WM_USER + 4;     // wParam: position, lParam: count; nonzero on success
constexpr UINT kSetCell = WM_USER + 6;        // lParam: Cell*; nonzero when the cell exists
constexpr UINT kRowCount = WM_USER + 13;      // result: number of rows
constexpr UINT kColumnCount = WM_USER + 14;   // result: number of columns
constexpr UINT kSetEditLimit = WM_USER + 24;  // wParam: longest edited text in characters
constexpr UINT kGetCellText = WM_USER + 32;   // wParam: row | column << 16, lParam: buffer

// The buffer of kGetCellText holds this many bytes (with terminator).
constexpr std::size_t kCellTextBytes = 261;

// Notification codes sent to the parent with WM_NOTIFY.
constexpr int kNotifySelect = -1001;     // the selected cell changed; result ignored
constexpr int kNotifyBeginEdit = -1002;  // an edit is about to start; result 1 refuses it
constexpr int kNotifyEndEdit = -1003;    // an edit ended; result 1 refuses the new text

enum ColumnAlign : std::int32_t { kAlignLeft = 0, kAlignRight = 1, kAlignCentre = 2 };

// Record of kInsertColumn. A position of -1 appends.
struct Column {
  std::int32_t position;
  std::int32_t align;
  std::int32_t width;
  const char* title;
};

// Record of kSetCell: the cell at row and column gets the text (mask bit 0)
// and the parameter (mask bit 1).
constexpr std::uint32_t kCellText = 1;
constexpr std::uint32_t kCellParam = 2;
struct Cell {
  std::uint32_t mask;
  std::int32_t row;
  std::int32_t column;
  std::int32_t reserved0;
  const char* text;
  std::int32_t reserved1[5];
  std::int32_t param;
  std::int32_t reserved2;
};

// Record of the notifications. text is set only by kNotifyEndEdit (null
// when the edit brings no text).
struct Notify {
  NMHDR header;
  std::int32_t reserved0[2];
  std::int32_t row;
  std::int32_t column;
  std::int32_t reserved1;
  const char* text;
};

#if !defined(_WIN64)
// The records as the 32-bit control lays them out.
static_assert(offsetof(Cell, text) == 16 && offsetof(Cell, param) == 40, "cell record layout");
static_assert(offsetof(Notify, row) == 20 && offsetof(Notify, column) == 24 &&
                  offsetof(Notify, text) == 32,
              "notification record layout");
#endif

}  // namespace vt::ui::grid
