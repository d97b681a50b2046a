// The text side of paths and file dialogs: network paths, extensions,
// filters, folder chains and the splitting of file-dialog templates.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/path_text.h"
#include "veltra/paths.h"

namespace {

using vt::platform::FolderChain;

TEST(Paths, NetworkPathsNeedAServerAndAShare) {
  struct Case { const char* path; bool unc; };
  const Case cases[] = {
      {"\\\\srv\\share", true}, {"\\\\srv\\share\\dir", true}, {"\\\\srv\\s", true},
      {"\\\\srv", false},       {"\\\\srv\\", false},          {"\\srv\\share", false},
      {"C:\\dir", false},       {"\\\\", false},               {"", false},
      {"//srv/share", false},
  };
  for (const Case& c : cases) EXPECT_EQ(isuncpath(c.path) != 0, c.unc) << c.path;
  EXPECT_EQ(isuncpath(nullptr), 0);
}

TEST(Paths, ExtensionsMatchWholeAndIgnoringCase) {
  struct Case { const char* path; const char* ext; int want; };
  const Case cases[] = {
      {"a.txt", "txt", 1},         {"a.txt", ".txt", 1},      {"C:\\A.TXT", "txt", 1},
      {"a.TxT", ".tXt", 1},        {"name.", "", 1},          {"name.", ".", 1},
      {"txt", "txt", 0},           {".txt", "txt", 1},        {"a.atxt", "txt", 0},
      {"a.txt", "tx", 0},          {"atxt", "txt", 0},        {"a.txt", "..txt", 0},
      {"a.t\xC4t", "t\xE4t", 0},  // only A to Z fold
      {"", "", 0},
  };
  for (const Case& c : cases) EXPECT_EQ(checkfileextension(c.path, c.ext), c.want) << c.path << " " << c.ext;
  EXPECT_EQ(checkfileextension(nullptr, "txt"), 0);
  EXPECT_EQ(checkfileextension("a.txt", nullptr), 0);
}

TEST(Paths, PrepareFilterTerminatesAtEveryBar) {
  char f[] = "Text (*.txt)|*.txt|Alle|*.*||";
  EXPECT_EQ(PrepareFilter(f), 5);
  // The double-terminated list the common dialog reads.
  std::vector<std::string> parts;
  for (const char* p = f; *p; p += strlen(p) + 1) parts.emplace_back(p);
  EXPECT_EQ(parts, (std::vector<std::string>{"Text (*.txt)", "*.txt", "Alle", "*.*"}));
  char none[] = "kein Filter";
  EXPECT_EQ(PrepareFilter(none), 0);
  EXPECT_STREQ(none, "kein Filter");
  EXPECT_EQ(PrepareFilter(nullptr), 0);
}

TEST(Paths, FolderChainsSplitAtBackslashes) {
  struct Case { const char* path; FolderChain::Kind kind; const char* root; std::vector<std::string> names; };
  const Case cases[] = {
      {"C:\\a\\b", FolderChain::kChain, "C:\\", {"a", "b"}}, {"c:\\a\\\\b\\", FolderChain::kChain, "c:\\", {"a", "b"}},
      {"D:\\", FolderChain::kChain, "D:\\", {}},
      {"\\\\srv\\share\\x\\y", FolderChain::kChain, "\\\\srv\\share\\", {"x", "y"}},
      {"\\\\srv\\share\\", FolderChain::kChain, "\\\\srv\\share\\", {}},
      {"\\\\srv\\share", FolderChain::kShareOnly, "", {}}, {"C:a\\b", FolderChain::kDriveRelative, "", {}},
      {"C:", FolderChain::kDriveRelative, "", {}}, {"\\a\\b", FolderChain::kInvalid, "", {}},
      {"a\\b", FolderChain::kInvalid, "", {}}, {"1:\\a", FolderChain::kInvalid, "", {}},
      {"\\\\srv", FolderChain::kInvalid, "", {}}, {"", FolderChain::kInvalid, "", {}},
  };
  for (const Case& c : cases) {
    FolderChain f = vt::platform::plan_folder_chain(c.path);
    EXPECT_EQ(f.kind, c.kind) << c.path;
    EXPECT_EQ(f.root, c.root) << c.path;
    EXPECT_EQ(f.names, c.names) << c.path;
  }
  EXPECT_EQ(vt::platform::plan_folder_chain(nullptr).kind, FolderChain::kInvalid);
}

TEST(Paths, InitialFolderOfAFileDialog) {
  struct Case { const char* proposal; const char* given; const char* folder; };
  const Case cases[] = {
      {"C:\\dir\\sub\\f.txt", "D:\\other", "C:\\dir\\sub"},
      {"C:\\f.txt", nullptr, "C:\\"},  // a root stays a root
      {"C:f.txt", "D:\\x", ""},        // a drive without a backslash
      {"\\\\srv\\share\\f.txt", nullptr, "\\\\srv\\share"}, {"f.txt", "D:\\given\\", "D:\\given"},
      {"f.txt", "D:\\", "D:\\"}, {"", "D:\\a\\\\", "D:\\a\\"}, {"", nullptr, ""}, {"C:\\dir\\", nullptr, "C:\\dir"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(vt::platform::initial_folder(c.proposal, c.given), c.folder) << c.proposal;
}

TEST(Paths, TemplateCommasRunTogetherAndPartsMayBeMissing) {
  struct Case { const char* text; const char* title; const char* filter; const char* ext; };
  const Case cases[] = {
      {"T,,F|*.*|,,x", "T", "F|*.*|", "x"}, {",,T", "T", nullptr, nullptr},
      {"T", "T", nullptr, nullptr},         {"", nullptr, nullptr, nullptr},
      {"T,F,e,extra", "T", "F", "e"},       {" T, F", " T", " F", nullptr},
  };
  auto show = [](const char* s) { return std::string(s ? s : "(null)"); };
  for (const Case& c : cases) {
    std::vector<char> buf(c.text, c.text + strlen(c.text) + 1);
    auto t = vt::platform::split_file_template(buf.data());
    EXPECT_EQ(show(t.title), show(c.title)) << c.text;
    EXPECT_EQ(show(t.filter), show(c.filter)) << c.text;
    EXPECT_EQ(show(t.ext), show(c.ext)) << c.text;
  }
}

}  // namespace
