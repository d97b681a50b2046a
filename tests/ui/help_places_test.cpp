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

TEST(HelpPlaces, CommandsTurnIntoHtmlRequests) {
  using R = vt::ui::HtmlRequest;
  struct Case {
    unsigned command;
    unsigned long data;
    R::Outcome outcome;
    unsigned hh;
    const char* topic;
  };
  const Case cases[] = {
      {1, 0, R::kCall, 0x0, "#0"},          {1, 42, R::kCall, 0xF, "#42"},
      {8, 7, R::kCall, 0xF, "#7"},          {1, 0xFFFFFFFFul, R::kDone, 0, ""},
      {8, 0xFFFFFFFFul, R::kDone, 0, ""},   {3, 9, R::kCall, 0x0, "#9"},
      {2, 0, R::kDone, 0, ""},              {5, 0, R::kRefused, 0, ""},
      {0x102, 0, R::kRefused, 0, ""},
  };
  for (const Case& c : cases) {
    R r = vt::ui::plan_html_help(c.command, c.data, nullptr);
    EXPECT_EQ(r.outcome, c.outcome) << c.command << " " << c.data;
    if (c.outcome != R::kCall) continue;
    EXPECT_EQ(r.command, c.hh) << c.command;
    EXPECT_EQ(r.topic, c.topic) << c.command;
    EXPECT_EQ(r.data, c.hh == 0xF ? c.data : 0ul) << c.command;
  }
  const std::string long_key(100, 'k');
  R k = vt::ui::plan_html_help(0x101, 0, long_key.c_str());
  EXPECT_EQ(k.outcome, R::kCall);
  EXPECT_EQ(k.command, 0xDu);
  EXPECT_TRUE(k.keyword);
  EXPECT_EQ(k.topic, long_key.substr(0, 79));
  EXPECT_EQ(vt::ui::plan_html_help(0x101, 0, nullptr).outcome, R::kRefused);
}

}  // namespace
