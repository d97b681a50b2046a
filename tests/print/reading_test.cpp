// The reading rule, automatic orientation and page margins.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "print/limits.h"
#include "print/line_reader.h"
#include "print/margins.h"
#include "print/sources.h"

using namespace vt::print;

namespace {
std::vector<std::string> lines_of(const std::string& text) {
  TextSource src(text);
  LineReader reader(src);
  std::vector<std::string> out;
  for_each_line(reader, [&](const std::string& l) {
    out.push_back(l);
    return true;
  });
  return out;
}
}  // namespace

TEST(Reading, LinesByTheReadingRule) {
  const std::string cut(kMaxLineChars, 'x');
  struct Case {
    const char* what;
    std::string text;
    std::vector<std::string> lines;
  } cases[] = {
      {"empty file: one empty line", "", {""}},
      {"final line feed: one more empty line", "a\nb\n", {"a", "b", ""}},
      {"no final line feed: the same", "a\nb", {"a", "b", ""}},
      {"CR LF line ends", "a\r\n\r\nb\r\n", {"a", "", "b", ""}},
      {"lone CR and form feed stay", "a\rb\f\n", {"a\rb\f", ""}},
      {"a line of exactly 1023 characters is whole", cut + "\nz\n", {cut, "z", ""}},
      {"a longer line is cut and ends the text", cut + "yy\nz\n", {cut}},
  };
  for (const Case& c : cases) EXPECT_EQ(lines_of(c.text), c.lines) << c.what;
}

TEST(Reading, AutomaticOrientation) {
  auto lines = [](int long_at, int long_len) {  // 40 lines, one of them long
    std::string t;
    for (int i = 1; i <= 40; ++i) t += std::string(i == long_at ? long_len : 20, 'a') + "\n";
    return t;
  };
  struct Case {
    const char* what;
    std::string text;
    int orientation;
  } cases[] = {
      {"all lines of 64 characters or fewer", lines(5, 64), 1},
      {"65 characters on line 30", lines(30, 65), 2},
      {"65 characters on line 31", lines(31, 65), 1},
      {"the line that meets the end of the file is not examined", std::string(70, 'a'), 1},
      {"a long last line with its line feed is examined", std::string(70, 'a') + "\n", 2},
      {"a cut line counts as long", std::string(3000, 'a'), 2},
      {"empty file", "", 1},
  };
  for (const Case& c : cases) {
    TextSource src(c.text);
    LineReader reader(src);
    EXPECT_EQ(auto_orientation(reader), c.orientation) << c.what;
    std::string first;
    reader.read(first);  // rewound: reading starts over
    EXPECT_EQ(first, c.text.substr(0, std::min<size_t>(c.text.find('\n'), kMaxLineChars))) << c.what;
  }
}

TEST(Margins, PixelsFromCentimetres) {
  struct Case {
    int w, h, dpi;
    float m[4];
    PageBox want;
    bool ok;
  } cases[] = {
      // 2.54f lies just below 2.54: 599, not 600.
      {4800, 6600, 600, {2.54f, 2.54f, 2.54f, 2.54f}, {599, 4201, 599, 6001}, true},
      {1000, 1000, 300, {0.001f, 0, 0, 0}, {0, 1000, 0, 1000}, true},
      // exactly 256 pixels left in both directions, then 255 in one
      {492, 492, 300, {1.0f, 1.0f, 1.0f, 1.0f}, {118, 374, 118, 374}, true},
      {491, 492, 300, {1.0f, 1.0f, 1.0f, 1.0f}, {118, 373, 118, 374}, false},
      {492, 491, 300, {1.0f, 1.0f, 1.0f, 1.0f}, {118, 374, 118, 373}, false},
      {2400, 3300, 300, {30.f, 30.f, 0, 0}, {3543, -1143, 0, 3300}, false},
      {1000, 1000, 300, {1e30f, NAN, -1e30f, 0}, {}, false},
  };
  for (const Case& c : cases) {
    PageBox b{};
    EXPECT_EQ(compute_page_box(c.w, c.h, c.dpi, c.dpi, c.m, b), c.ok) << c.w << "x" << c.h;
    if (!c.ok && !c.want.right) continue;  // no box is promised for margins that are not numbers
    EXPECT_EQ(std::vector<int>({b.left, b.right, b.top, b.bottom}),
              std::vector<int>({c.want.left, c.want.right, c.want.top, c.want.bottom}));
  }
}
