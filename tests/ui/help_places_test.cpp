// The help file's search places, the engine split and the file name the
// error message shows.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/help_places.h"

namespace {

TEST(HelpPlaces, ProgramFirstThenLibraryThenItsParent) {
  using V = std::vector<std::string>;
  EXPECT_EQ(vt::ui::help_places("C:\\Prog\\app.exe", "D:\\Lib\\bin\\vt.dll", "x.chm"),
            (V{"C:\\Prog\\Help\\x.chm", "C:\\Prog\\x.chm", "D:\\Lib\\bin\\x.chm", "D:\\Lib\\bin\\..\\x.chm",
               "D:\\Lib\\bin\\..\\Help\\x.chm"}));
  // A module path without a folder contributes an empty folder.
  EXPECT_EQ(vt::ui::help_places("app.exe", "", "h.hlp"),
            (V{"Help\\h.hlp", "h.hlp", "h.hlp", "..\\h.hlp", "..\\Help\\h.hlp"}));
}

TEST(HelpPlaces, OnlyTheTwoExactSpellingsAreClassic) {
  struct Case {
    const char* name;
    bool classic;
  };
  const Case cases[] = {{"a.hlp", true},       {"A.HLP", true},  {"a.Hlp", false}, {"a.hLP", false},
                        {"a.hlp>main", true},  {"x.hlpz", true}, {"a.chm", false}, {"hlp", false},
                        {nullptr, false}};
  for (const Case& c : cases) EXPECT_EQ(vt::ui::is_classic_help(c.name), c.classic) << (c.name ? c.name : "null");
}

TEST(HelpPlaces, MessageNamesTheFileWithoutFolderAndWindow) {
  struct Case {
    const char* path;
    const char* shown;
  };
  const Case cases[] = {
      {"C:\\Prog\\Help\\x.chm>main", "x.chm"}, {"x.chm>a\\b", "x.chm"}, {"C:\\a\\x.chm", "x.chm"},
      {"x.chm", "x.chm"},                      {"C:\\a\\", ""},         {">w", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(vt::ui::help_file_for_message(c.path), c.shown) << c.path;
}

}  // namespace
