// The two dialog templates, read back from the compiled resources: each
// window as one line "id class 'text' style x,y,cx,cy" (the dialog with its
// caption and font), compared with the layout the dialogs are drawn for.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

// A class or text field: a 0xFFFF ordinal or a wide string (Latin-1 only).
std::string field(const WORD*& p) {
  if (*p == 0xFFFF) {
    const char* names[] = {"Button", "Edit", "Static"};
    WORD ord = p[1];
    p += 2;
    return ord >= 0x80 && ord <= 0x82 ? names[ord - 0x80] : "#" + std::to_string(ord);
  }
  std::string s;
  while (*p) s += static_cast<char>(*p++);
  ++p;
  return s;
}

std::string line(int id, std::string cls, const std::string& text, DWORD style, const short* rect) {
  for (char& c : cls) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));  // class names are case-blind
  char buf[320];
  std::snprintf(buf, sizeof buf, "%d %s '%s' %08lx %d,%d,%d,%d", id, cls.c_str(), text.c_str(),
                static_cast<unsigned long>(style), rect[0], rect[1], rect[2], rect[3]);
  return buf;
}

std::vector<std::string> read_template(int id) {
  HMODULE self = GetModuleHandleA(nullptr);
  HRSRC r = FindResourceA(self, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(5) /* RT_DIALOG */);
  if (!r) return {};
  const auto* t = static_cast<const DLGTEMPLATE*>(LockResource(LoadResource(self, r)));
  const WORD* p = reinterpret_cast<const WORD*>(t + 1);
  field(p);  // menu
  field(p);  // class
  std::string caption = field(p);
  const int points = *p++;
  std::vector<std::string> out = {line(id, "", caption + "' font '" + field(p) + " " + std::to_string(points),
                                       t->style, &t->x)};
  for (int i = 0; i < t->cdit; ++i) {
    p = reinterpret_cast<const WORD*>((reinterpret_cast<uintptr_t>(p) + 3) & ~uintptr_t(3));
    const auto* it = reinterpret_cast<const DLGITEMTEMPLATE*>(p);
    p = reinterpret_cast<const WORD*>(it + 1);
    std::string cls = field(p), text = field(p);
    p = reinterpret_cast<const WORD*>(reinterpret_cast<const BYTE*>(p + 1) + *p);  // creation data
    out.push_back(line(it->id, cls, text, it->style, &it->x));
  }
  return out;
}

constexpr DWORD kItem = WS_CHILD | WS_VISIBLE;

TEST(DialogTemplate, PrintProgressAndRegistryItemEdit) {
  const short print[] = {25, 22, 117, 55}, message[] = {4, 4, 109, 26}, cancel[] = {36, 36, 45, 14};
  EXPECT_EQ((std::vector<std::string>{
                line(705, "", "Drucken' font 'Arial 8",
                     DS_SETFONT | DS_MODALFRAME | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU, print),
                line(101, "static", "", kItem | WS_GROUP | SS_LEFT, message),
                line(1, "button", "Abbrechen", kItem | WS_TABSTOP | BS_PUSHBUTTON, cancel)}),
            read_template(705));
  const short dialog[] = {40, 60, 296, 171}, header[] = {6, 6, 276, 8}, table[] = {6, 16, 283, 118},
              info[] = {6, 136, 283, 10}, close[] = {6, 152, 45, 14};
  EXPECT_EQ((std::vector<std::string>{
                line(709, "", "Windows-Registrierungsdaten bearbeiten' font 'Arial 8",
                     DS_SETFONT | DS_MODALFRAME | WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU, dialog),
                line(1069, "static", "Erweiterte (lokale) Konfiguration f\xfcr \"%s\":",
                     kItem | WS_GROUP | SS_LEFT, header),
                line(3004, "datagridwnd", "", 0x52810241, table),
                line(1070, "edit", "", kItem | WS_TABSTOP | ES_READONLY | ES_AUTOHSCROLL, info),
                line(1, "button", "Schlie\xdf" "en", kItem | WS_TABSTOP | BS_DEFPUSHBUTTON, close)}),
            read_template(709));
}

}  // namespace
