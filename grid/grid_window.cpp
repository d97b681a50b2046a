// The window of the table control: drawing, mouse and keyboard selection,
// in-place editing with an edit control, and the protocol messages.
#include <windows.h>
#include <windowsx.h>

#include <algorithm>
#include <cstring>
#include <new>
#include <string>

#include "datagrid.h"
#include "grid_model.h"
#include "ui/win32/grid_protocol.h"

namespace vt::grid {

namespace proto = vt::ui::grid;

namespace {

// Blank pixels between a cell's border and its text.
constexpr int kCellPadding = 3;

struct Grid {
  HWND window = nullptr;
  GridModel model;
  int row_height = 18;
  int top_row = 0;  // first row shown below the title row
  int sel_row = -1;
  int sel_col = -1;
  HWND edit = nullptr;
  int edit_row = -1;
  int edit_col = -1;
};

Grid* grid_of(HWND w) { return reinterpret_cast<Grid*>(GetWindowLongPtrA(w, GWLP_USERDATA)); }

HFONT grid_font() { return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)); }

int visible_rows(const Grid& g) {
  RECT rc;
  GetClientRect(g.window, &rc);
  return std::max(0, static_cast<int>((rc.bottom - g.row_height) / g.row_height));
}

int column_left(const Grid& g, int column) {
  int x = 0;
  for (int c = 0; c < column; ++c) x += g.model.column(c).width;
  return x;
}

bool cell_rect(const Grid& g, int row, int column, RECT* rc) {
  if (!g.model.has_cell(row, column) || row < g.top_row || row >= g.top_row + visible_rows(g))
    return false;
  rc->left = column_left(g, column);
  rc->right = rc->left + g.model.column(column).width;
  rc->top = g.row_height * (1 + row - g.top_row);
  rc->bottom = rc->top + g.row_height;
  return true;
}

// Cell under a client point; false on the title row or outside the cells.
bool hit_cell(const Grid& g, int x, int y, int* row, int* column) {
  if (y < g.row_height || x < 0) return false;
  int r = g.top_row + (y - g.row_height) / g.row_height;
  int left = 0;
  for (int c = 0; c < g.model.columns(); ++c) {
    int right = left + g.model.column(c).width;
    if (x < right) {
      if (r >= g.model.rows()) return false;
      *row = r;
      *column = c;
      return true;
    }
    left = right;
  }
  return false;
}

void update_scroll(Grid& g) {
  SCROLLINFO si{};
  si.cbSize = sizeof si;
  si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
  si.nMin = 0;
  si.nMax = std::max(0, g.model.rows() - 1);
  si.nPage = static_cast<UINT>(std::max(1, visible_rows(g)));
  si.nPos = g.top_row;
  SetScrollInfo(g.window, SB_VERT, &si, TRUE);
}

LRESULT notify(Grid& g, int code, int row, int column, const char* text) {
  proto::Notify n{};
  n.header.hwndFrom = g.window;
  n.header.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(g.window));
  n.header.code = static_cast<UINT>(code);
  n.row = row;
  n.column = column;
  n.text = text;
  return SendMessageA(GetParent(g.window), WM_NOTIFY, n.header.idFrom,
                      reinterpret_cast<LPARAM>(&n));
}

void scroll_to(Grid& g, int row) {
  int shown = std::max(1, visible_rows(g));
  if (row < g.top_row) g.top_row = row;
  else if (row >= g.top_row + shown) g.top_row = row - shown + 1;
  g.top_row = std::max(0, std::min(g.top_row, std::max(0, g.model.rows() - shown)));
  update_scroll(g);
  InvalidateRect(g.window, nullptr, TRUE);
}

void select_cell(Grid& g, int row, int column) {
  if (!g.model.has_cell(row, column)) return;
  bool changed = row != g.sel_row || column != g.sel_col;
  g.sel_row = row;
  g.sel_col = column;
  scroll_to(g, row);
  if (changed) notify(g, proto::kNotifySelect, row, column, nullptr);
}

void close_edit(Grid& g) {
  HWND e = g.edit;
  g.edit = nullptr;
  if (e) DestroyWindow(e);
  g.edit_row = g.edit_col = -1;
  InvalidateRect(g.window, nullptr, TRUE);
}

// Ends the edit in progress: with commit, the owner is asked (result 1
// refuses the text, and the cell keeps its old one); either way the edit
// control goes away.
void end_edit(Grid& g, bool commit) {
  if (!g.edit) return;
  if (commit) {
    std::string text(g.model.edit_limit + 1, '\0');
    int n = GetWindowTextA(g.edit, text.data(), static_cast<int>(text.size()));
    text.resize(std::max(0, n));
    int row = g.edit_row, column = g.edit_col;
    if (notify(g, proto::kNotifyEndEdit, row, column, text.c_str()) == 0)
      g.model.set_text(row, column, text.c_str());
  }
  close_edit(g);
  SetFocus(g.window);
}

LRESULT CALLBACK edit_proc(HWND e, UINT msg, WPARAM wp, LPARAM lp) {
  // The edit keeps its own class procedure, so that it stays usable
  // whatever state the table is in.
  auto base = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(e, GWLP_USERDATA));
  Grid* g = grid_of(GetParent(e));
  switch (msg) {
    case WM_GETDLGCODE:
      // Enter and Escape belong to the edit, not to the dialog's buttons.
      return DLGC_WANTALLKEYS | CallWindowProcA(base, e, msg, wp, lp);
    case WM_KEYDOWN:
      if (wp == VK_RETURN || wp == VK_ESCAPE) {
        if (g && g->edit == e) end_edit(*g, wp == VK_RETURN);
        return 0;
      }
      break;
    case WM_CHAR:
      if (wp == '\r' || wp == 27) return 0;  // already handled as keys
      break;
    case WM_KILLFOCUS:
      if (g && g->edit == e) end_edit(*g, true);
      break;
  }
  return CallWindowProcA(base, e, msg, wp, lp);
}

// Starts an edit of the selected cell when the owner allows it; initial is
// the first typed character, or 0 to edit the current text.
void begin_edit(Grid& g, char initial) {
  if (g.edit || !g.model.has_cell(g.sel_row, g.sel_col)) return;
  if (notify(g, proto::kNotifyBeginEdit, g.sel_row, g.sel_col, nullptr) != 0) return;
  RECT rc;
  scroll_to(g, g.sel_row);
  if (!cell_rect(g, g.sel_row, g.sel_col, &rc)) return;
  const std::string& current = *g.model.text(g.sel_row, g.sel_col);
  std::string start = initial ? std::string(1, initial) : current;
  HWND e = CreateWindowExA(0, "EDIT", start.c_str(), WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL,
                           rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, g.window,
                           nullptr, reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(g.window, GWLP_HINSTANCE)),
                           nullptr);
  if (!e) return;
  SendMessageA(e, WM_SETFONT, reinterpret_cast<WPARAM>(grid_font()), FALSE);
  SendMessageA(e, EM_LIMITTEXT, g.model.edit_limit, 0);
  SetWindowLongPtrA(e, GWLP_USERDATA, GetWindowLongPtrA(e, GWLP_WNDPROC));
  SetWindowLongPtrA(e, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(edit_proc));
  g.edit = e;
  g.edit_row = g.sel_row;
  g.edit_col = g.sel_col;
  SetFocus(e);
  if (initial) SendMessageA(e, EM_SETSEL, 1, 1);
  else SendMessageA(e, EM_SETSEL, 0, -1);
}

void draw_text(HDC dc, const std::string& text, RECT rc, int align) {
  rc.left += kCellPadding;
  rc.right -= kCellPadding;
  UINT fmt = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS;
  fmt |= align == proto::kAlignRight ? DT_RIGHT : align == proto::kAlignCentre ? DT_CENTER : DT_LEFT;
  DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &rc, fmt);
}

void paint(Grid& g) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(g.window, &ps);
  RECT client;
  GetClientRect(g.window, &client);
  HGDIOBJ old_font = SelectObject(dc, grid_font());
  SetBkMode(dc, TRANSPARENT);
  FillRect(dc, &client, GetSysColorBrush(COLOR_WINDOW));
  HPEN line = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW));
  HGDIOBJ old_pen = SelectObject(dc, line);

  for (int c = 0, x = 0; c < g.model.columns(); ++c) {
    const GridColumn& col = g.model.column(c);
    RECT head{x, 0, x + col.width, g.row_height};
    FillRect(dc, &head, GetSysColorBrush(COLOR_BTNFACE));
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    draw_text(dc, col.title, head, col.align);
    x += col.width;
    MoveToEx(dc, x - 1, 0, nullptr);
    LineTo(dc, x - 1, client.bottom);
  }
  int last = std::min(g.model.rows(), g.top_row + visible_rows(g) + 1);
  for (int r = g.top_row; r < last; ++r) {
    int y = g.row_height * (1 + r - g.top_row);
    for (int c = 0, x = 0; c < g.model.columns(); ++c) {
      const GridColumn& col = g.model.column(c);
      RECT rc{x, y, x + col.width - 1, y + g.row_height - 1};
      bool selected = r == g.sel_row && c == g.sel_col;
      if (selected) FillRect(dc, &rc, GetSysColorBrush(COLOR_HIGHLIGHT));
      SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
      draw_text(dc, *g.model.text(r, c), rc, col.align);
      x += col.width;
    }
    MoveToEx(dc, 0, y + g.row_height - 1, nullptr);
    LineTo(dc, client.right, y + g.row_height - 1);
  }
  MoveToEx(dc, 0, g.row_height - 1, nullptr);
  LineTo(dc, client.right, g.row_height - 1);

  SelectObject(dc, old_pen);
  DeleteObject(line);
  SelectObject(dc, old_font);
  EndPaint(g.window, &ps);
}

void on_vscroll(Grid& g, int code) {
  int shown = std::max(1, visible_rows(g));
  int top = g.top_row;
  switch (code) {
    case SB_LINEUP: --top; break;
    case SB_LINEDOWN: ++top; break;
    case SB_PAGEUP: top -= shown; break;
    case SB_PAGEDOWN: top += shown; break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
      SCROLLINFO si{};
      si.cbSize = sizeof si;
      si.fMask = SIF_TRACKPOS;
      GetScrollInfo(g.window, SB_VERT, &si);
      top = si.nTrackPos;
      break;
    }
    default: return;
  }
  end_edit(g, true);
  g.top_row = std::max(0, std::min(top, std::max(0, g.model.rows() - shown)));
  update_scroll(g);
  InvalidateRect(g.window, nullptr, TRUE);
}

void on_key(Grid& g, WPARAM key) {
  int r = g.sel_row < 0 ? 0 : g.sel_row;
  int c = g.sel_col < 0 ? 0 : g.sel_col;
  switch (key) {
    case VK_UP: --r; break;
    case VK_DOWN: ++r; break;
    case VK_LEFT: --c; break;
    case VK_RIGHT: ++c; break;
    case VK_PRIOR: r -= std::max(1, visible_rows(g)); break;
    case VK_NEXT: r += std::max(1, visible_rows(g)); break;
    case VK_HOME: r = 0; break;
    case VK_END: r = g.model.rows() - 1; break;
    case VK_F2:
    case VK_RETURN: begin_edit(g, 0); return;
    default: return;
  }
  r = std::max(0, std::min(r, g.model.rows() - 1));
  c = std::max(0, std::min(c, g.model.columns() - 1));
  select_cell(g, r, c);
}

LRESULT protocol_message(Grid& g, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case proto::kInsertColumn: {
      auto* col = reinterpret_cast<const proto::Column*>(lp);
      if (!col) return -1;
      int i = g.model.insert_column(col->position,
                                    GridColumn{col->title ? col->title : "", std::max(0, col->width),
                                               col->align});
      InvalidateRect(g.window, nullptr, TRUE);
      return i;
    }
    case proto::kInsertRows: {
      bool ok = g.model.insert_rows(static_cast<int>(wp), static_cast<int>(lp));
      if (ok) {
        update_scroll(g);
        InvalidateRect(g.window, nullptr, TRUE);
      }
      return ok;
    }
    case proto::kSetCell: {
      auto* cell = reinterpret_cast<const proto::Cell*>(lp);
      if (!cell || !g.model.has_cell(cell->row, cell->column)) return 0;
      if (cell->mask & proto::kCellText) g.model.set_text(cell->row, cell->column, cell->text);
      InvalidateRect(g.window, nullptr, TRUE);
      return 1;
    }
    case proto::kRowCount: return g.model.rows();
    case proto::kColumnCount: return g.model.columns();
    case proto::kSetEditLimit: {
      LRESULT old = static_cast<LRESULT>(g.model.edit_limit);
      if (wp > 0) g.model.edit_limit = wp;
      return old;
    }
    case proto::kGetCellText: {
      const std::string* t = g.model.text(LOWORD(wp), HIWORD(wp));
      char* buf = reinterpret_cast<char*>(lp);
      if (!t || !buf) return 0;
      std::size_t n = std::min(t->size(), proto::kCellTextBytes - 1);
      std::memcpy(buf, t->data(), n);
      buf[n] = '\0';
      return 1;
    }
    case kGetCellRect:
      return lp && cell_rect(g, LOWORD(wp), HIWORD(wp), reinterpret_cast<RECT*>(lp));
  }
  return 0;
}

LRESULT CALLBACK grid_proc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
  Grid* g = grid_of(w);
  if (msg == WM_NCCREATE) {
    g = new (std::nothrow) Grid;
    if (!g) return FALSE;
    g->window = w;
    SetWindowLongPtrA(w, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(g));
    return DefWindowProcA(w, msg, wp, lp);
  }
  if (!g) return DefWindowProcA(w, msg, wp, lp);
  if (msg >= proto::kInsertColumn && msg <= kGetCellRect) return protocol_message(*g, msg, wp, lp);

  switch (msg) {
    case WM_CREATE: {
      HDC dc = GetDC(w);
      HGDIOBJ old = SelectObject(dc, grid_font());
      TEXTMETRICA tm;
      if (GetTextMetricsA(dc, &tm)) g->row_height = tm.tmHeight + 2 * kCellPadding;
      SelectObject(dc, old);
      ReleaseDC(w, dc);
      update_scroll(*g);
      return 0;
    }
    case WM_NCDESTROY:
      SetWindowLongPtrA(w, GWLP_USERDATA, 0);
      delete g;
      return DefWindowProcA(w, msg, wp, lp);
    case WM_SIZE:
      update_scroll(*g);
      return 0;
    case WM_PAINT:
      paint(*g);
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      InvalidateRect(w, nullptr, TRUE);
      return 0;
    case WM_LBUTTONDOWN: {
      end_edit(*g, true);
      SetFocus(w);
      int r, c;
      if (hit_cell(*g, GET_X_LPARAM(lp), GET_Y_LPARAM(lp), &r, &c)) select_cell(*g, r, c);
      return 0;
    }
    case WM_LBUTTONDBLCLK: {
      int r, c;
      if (hit_cell(*g, GET_X_LPARAM(lp), GET_Y_LPARAM(lp), &r, &c)) {
        select_cell(*g, r, c);
        begin_edit(*g, 0);
      }
      return 0;
    }
    case WM_KEYDOWN:
      on_key(*g, wp);
      return 0;
    case WM_CHAR:
      if (wp >= 32 && wp < 256 && wp != 127) begin_edit(*g, static_cast<char>(wp));
      return 0;
    case WM_VSCROLL:
      on_vscroll(*g, LOWORD(wp));
      return 0;
    case WM_MOUSEWHEEL:
      on_vscroll(*g, GET_WHEEL_DELTA_WPARAM(wp) > 0 ? SB_LINEUP : SB_LINEDOWN);
      return 0;
  }
  return DefWindowProcA(w, msg, wp, lp);
}

}  // namespace

bool register_datagrid(HINSTANCE instance) {
  WNDCLASSA wc{};
  wc.style = CS_GLOBALCLASS | CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
  wc.lpfnWndProc = grid_proc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  wc.lpszClassName = proto::kClassName;
  return RegisterClassA(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace vt::grid
