// The registry item dialog, driven through its table as a user would
// (click a cell, type, press Enter), checked against the real registry.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "datagrid.h"
#include "ui/win32/grid_protocol.h"
#include "veltra/regitem.h"

namespace {

namespace proto = vt::ui::grid;

constexpr char kKey[] = "Software\\VeltraTest\\RegItem";
constexpr char kSubKey[] = "Software\\VeltraTest\\RegItem\\Sub";
constexpr int kTableId = 3004, kInfoId = 1070, kHeaderId = 1069;

void set_dword(const char* key, const char* name, DWORD v) {
  RegSetKeyValueA(HKEY_CURRENT_USER, key, name, REG_DWORD, &v, sizeof v);
}
void set_text(const char* key, const char* name, const char* v) {
  RegSetKeyValueA(HKEY_CURRENT_USER, key, name, REG_SZ, v, static_cast<DWORD>(strlen(v) + 1));
}
// The stored value as text ("#" + number for a DWORD), "<none>" when absent.
std::string stored(const char* key, const char* name) {
  BYTE buf[1024] = {};
  DWORD type = 0, size = sizeof buf - 1;
  if (RegGetValueA(HKEY_CURRENT_USER, key, name, RRF_RT_ANY, &type, buf, &size) != ERROR_SUCCESS)
    return "<none>";
  if (type == REG_DWORD) return "#" + std::to_string(*reinterpret_cast<DWORD*>(buf));
  return reinterpret_cast<char*>(buf);
}

void reset_registry() {
  RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\VeltraTest");
  set_dword(kKey, "Level", 5);
  set_text(kKey, "Name", "abc");
  set_text(kKey, "Short", "hello");
  set_dword(kKey, "Minus", 0xFFFFFFFFu);
  set_dword(kSubKey, "Digit", 3);
}

// Runs the dialog; once it is up, `script` gets the dialog window, then the
// dialog is closed with its button.
std::function<void(HWND)>* g_script = nullptr;
BOOL CALLBACK find_dialog(HWND w, LPARAM out) {
  char cls[16] = "";
  GetClassNameA(w, cls, sizeof cls);
  if (strcmp(cls, "#32770") == 0 && GetDlgItem(w, kTableId)) {
    *reinterpret_cast<HWND*>(out) = w;
    return FALSE;
  }
  return TRUE;
}
void CALLBACK on_timer(HWND, UINT, UINT_PTR id, DWORD) {
  HWND dialog = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), find_dialog, reinterpret_cast<LPARAM>(&dialog));
  if (!dialog || !g_script) return;
  KillTimer(nullptr, id);
  (*g_script)(dialog);
  g_script = nullptr;
  PostMessageA(dialog, WM_COMMAND, IDOK, reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
}
LONG run_dialog(const REGITEMLIST& list, std::function<void(HWND)> script) {
  g_script = &script;
  UINT_PTR timer = SetTimer(nullptr, 0, 20, on_timer);
  LONG r = RegItemEdit(&list);
  KillTimer(nullptr, timer);
  EXPECT_EQ(nullptr, g_script) << "the dialog was not shown";
  g_script = nullptr;
  return r;
}

std::string cell(HWND grid, int row, int column) {
  char buf[proto::kCellTextBytes] = "";
  if (!SendMessageA(grid, proto::kGetCellText, MAKEWPARAM(row, column), reinterpret_cast<LPARAM>(buf)))
    return "<no cell>";
  return buf;
}
std::string window_text(HWND w) {
  char buf[512] = "";
  GetWindowTextA(w, buf, sizeof buf);
  return buf;
}
std::string item_text(HWND dialog, int id) { return window_text(GetDlgItem(dialog, id)); }
void click(HWND grid, int row, int column) {
  RECT rc{};
  ASSERT_TRUE(SendMessageA(grid, vt::grid::kGetCellRect, MAKEWPARAM(row, column),
                           reinterpret_cast<LPARAM>(&rc)));
  LPARAM at = MAKELPARAM((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
  SendMessageA(grid, WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageA(grid, WM_LBUTTONUP, 0, at);
}
// Selects the cell, types the text and presses Enter; false when the table
// opened no edit.
bool type_into(HWND grid, int row, int column, const std::string& text) {
  click(grid, row, column);
  SendMessageA(grid, WM_CHAR, static_cast<unsigned char>(text[0]), 0);
  HWND edit = FindWindowExA(grid, nullptr, "Edit", nullptr);
  if (!edit) return false;
  for (std::size_t i = 1; i < text.size(); ++i)
    SendMessageA(edit, WM_CHAR, static_cast<unsigned char>(text[i]), 0);
  SendMessageA(edit, WM_KEYDOWN, VK_RETURN, 0);
  return true;
}

}  // namespace

class RegItemDialog : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(vt::grid::register_datagrid(GetModuleHandleA(nullptr)));
    reset_registry();
    unreadable_ = VirtualAlloc(nullptr, 4096, MEM_RESERVE, PAGE_NOACCESS);
    long_remark_ = std::string(300, 'r');
    REGITEM items[] = {
        {nullptr, nullptr, "Level", REG_DWORD, MAKEINTRESOURCEA(131), 0, 100, 0},
        {nullptr, nullptr, "Name", REG_SZ, "Freitext", 0, 0, 0},
        {nullptr, nullptr, "Short", REG_SZ, long_remark_.c_str(), 2, 8, 0},
        {nullptr, nullptr, "Minus", REG_DWORD, static_cast<const char*>(unreadable_), 7, 7, 0},
        {HKEY_CURRENT_USER, kSubKey, "Digit", REG_DWORD, nullptr, 1, 9, 0},
        {HKEY_CURRENT_USER, "Software\\VeltraTest\\Missing", "Gone", REG_DWORD, nullptr, 0, 0, 0},
        {nullptr, kSubKey, "Digit", REG_DWORD, nullptr, 0, 0, 0},  // no own root: defaults
    };
    std::copy(std::begin(items), std::end(items), items_);
    list_ = REGITEMLIST{REGITEMLIST_SIZE, nullptr, GetModuleHandleA(nullptr), "Testkonfiguration",
                        "Demo", HKEY_CURRENT_USER, kKey, REGITEM_OPT_INFOLINE,
                        static_cast<LONG>(std::size(items)), items_, {}};
  }
  void TearDown() override {
    VirtualFree(unreadable_, 0, MEM_RELEASE);
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\VeltraTest");
  }

  void* unreadable_ = nullptr;
  std::string long_remark_;
  REGITEM items_[7];
  REGITEMLIST list_;
};

TEST_F(RegItemDialog, ShowsTheItemsAndTheirRanges) {
  run_dialog(list_, [&](HWND dialog) {
    HWND grid = GetDlgItem(dialog, kTableId);
    EXPECT_EQ("Testkonfiguration", window_text(dialog));
    EXPECT_EQ("Erweiterte (lokale) Konfiguration f\xFCr \"Demo\":", item_text(dialog, kHeaderId));
    EXPECT_EQ(4, SendMessageA(grid, proto::kColumnCount, 0, 0));
    ASSERT_EQ(7, SendMessageA(grid, proto::kRowCount, 0, 0));
    const char* want[7][4] = {
        {"Level", "5", "0...100", "Wert|128"},
        {"Name", "abc", "-", "Freitext"},
        {"Short", "hello", "2...8", ""},  // filled below: the remark cut at 159
        {"Minus", "-1", "-", ""},         // an unreadable remark is empty
        {"Digit", "3", "1...9", ""},
        {"Gone", "", "-", ""},            // its key does not exist
        {"Digit", "", "-", ""},           // the defaults' key has no value Digit
    };
    for (int r = 0; r < 7; ++r)
      for (int c = 0; c < 4; ++c)
        if (!(r == 2 && c == 3)) EXPECT_EQ(want[r][c], cell(grid, r, c)) << r << "," << c;
    EXPECT_EQ(std::string(159, 'r'), cell(grid, 2, 3));

    // The info line's texts are tested on the portable rules; here a click
    // on an item with its own key and on a value cell reaches them.
    struct Click {
      int row, column;
      const char* info;
    } clicks[] = {
        {4, 0, "HKCU\\Software\\VeltraTest\\RegItem\\Sub: Digit"},
        {0, 1, "REG_DWORD (0...100)"},
        {4, 2, ""},
    };
    for (const Click& c : clicks) {
      click(grid, c.row, c.column);
      EXPECT_EQ(c.info, item_text(dialog, kInfoId)) << c.row << "," << c.column;
    }
  });
}

TEST_F(RegItemDialog, EditsAreCheckedAndWrittenAtOnce) {
  const std::string longest(260, 'L');
  run_dialog(list_, [&](HWND dialog) {
    HWND grid = GetDlgItem(dialog, kTableId);
    struct Edit {
      int row, column;
      std::string text;
      bool opened;
      const char* cell;  // the cell afterwards
      const char* key;
      const char* name;
      std::string value;  // the registry afterwards
    } edits[] = {
        // the type and range rules are tested apart; here one refusal and
        // one accepted edit of each type
        {0, 1, "150", true, "5", kKey, "Level", "#5"},
        {0, 1, "42", true, "42", kKey, "Level", "#42"},
        {0, 0, "x", false, "Level", kKey, "Level", "#42"},
        {1, 1, longest, true, longest.c_str(), kKey, "Name", longest},
        {3, 1, "zwei", true, "-1", kKey, "Minus", "#4294967295"},
        {3, 1, "-7", true, "-7", kKey, "Minus", "#4294967289"},
        {5, 1, "7", true, "", "Software\\VeltraTest\\Missing", "Gone", "<none>"},
    };
    for (const Edit& e : edits) {
      SCOPED_TRACE(e.text.substr(0, 20));
      EXPECT_EQ(e.opened, type_into(grid, e.row, e.column, e.text));
      EXPECT_EQ(nullptr, FindWindowExA(grid, nullptr, "Edit", nullptr));
      EXPECT_EQ(e.cell, cell(grid, e.row, e.column));
      EXPECT_EQ(e.value, stored(e.key, e.name));
    }
  });
}

TEST_F(RegItemDialog, DefaultsAndRefusedRecords) {
  list_.caption = nullptr;
  list_.name = nullptr;
  list_.options = 0;
  run_dialog(list_, [&](HWND dialog) {
    EXPECT_EQ("Windows-Registrierungsdaten bearbeiten", window_text(dialog));
    EXPECT_EQ("Erweiterte (lokale) Konfiguration f\xFCr \"<NA>\":", item_text(dialog, kHeaderId));
    HWND grid = GetDlgItem(dialog, kTableId);
    click(grid, 0, 0);
    EXPECT_EQ("", item_text(dialog, kInfoId));  // no info line without the option
  });
  EXPECT_EQ(0, run_dialog(list_, [](HWND) {}));

  REGITEMLIST wrong = list_;
  wrong.size = 52;
  EXPECT_EQ(-1, RegItemEdit(&wrong));
  EXPECT_EQ(-1, RegItemEdit(nullptr));
}

TEST_F(RegItemDialog, AccessAndStoreOutsideTheDialog) {
  DWORD n = 0;
  char text[261] = "";
  struct Case {
    HKEY root;
    const char* path;
    const char* name;
    DWORD type;
    int mode;
    BOOL ok;
    const char* text;
  } cases[] = {
      {HKEY_CURRENT_USER, kSubKey, "Digit", REG_DWORD, REGITEM_READ, TRUE, "3"},
      {nullptr, nullptr, "Name", REG_DWORD, REGITEM_READ, FALSE, ""},  // stored as a string
      {nullptr, nullptr, "Level", REG_BINARY, REGITEM_READ, FALSE, ""},
      {nullptr, nullptr, "Level", REG_DWORD, 3, FALSE, ""},
  };
  for (const Case& c : cases) {
    text[0] = '\0';
    EXPECT_EQ(c.ok, AccessItemValue(HKEY_CURRENT_USER, kKey, c.root, c.path, c.name, c.type, &n,
                                    text, c.mode))
        << c.name;
    EXPECT_STREQ(c.text, text) << c.name;
  }
  EXPECT_FALSE(AccessItemValue(nullptr, nullptr, nullptr, kKey, "Level", REG_DWORD, &n, text, REGITEM_READ));

  // a stored text longer than the read buffer cannot be read
  set_text(kKey, "Name", std::string(300, 'x').c_str());
  EXPECT_FALSE(AccessItemValue(HKEY_CURRENT_USER, kKey, nullptr, nullptr, "Name", REG_SZ, &n, text, REGITEM_READ));

  EXPECT_FALSE(StoreItemValue("77", 7, &list_));
  EXPECT_FALSE(StoreItemValue("77", -1, &list_));
  EXPECT_FALSE(StoreItemValue(nullptr, 0, &list_));
  EXPECT_FALSE(StoreItemValue("77", 0, nullptr));
}
