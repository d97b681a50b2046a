// The locale state as computed from the locale's answers, and the exported
// accessors over it.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "frame/locale_state.h"
#include "veltra/frame.h"

namespace {

using vt::frame::LocaleState;
using vt::port::LocaleItem;

// What the stand-in locale answers: time, date and decimal separator,
// short-date pattern; null: the query fails.
const char* g_answers[4];

// Answers with the buffer rule of GetLocaleInfoA: a value that does not
// fit with its terminator fails.
int fake_query(LocaleItem item, char* buf, int size) {
  const char* v = nullptr;
  switch (item) {
    case LocaleItem::TimeSeparator: v = g_answers[0]; break;
    case LocaleItem::DateSeparator: v = g_answers[1]; break;
    case LocaleItem::DecimalSeparator: v = g_answers[2]; break;
    case LocaleItem::ShortDate: v = g_answers[3]; break;
    default: break;
  }
  const int n = v ? static_cast<int>(std::strlen(v)) + 1 : 0;
  if (!v || n > size) return 0;
  std::memcpy(buf, v, static_cast<size_t>(n));
  return n;
}

TEST(LocaleState, ReadFromTheLocalesAnswers) {
  const std::string fits = "M/d/yyyy" + std::string(55, ' '), too_long = fits + " ";
  struct Case {
    const char *time, *date, *decimal, *pattern;
    const char* want;  // date, time and decimal separator, date order
  } cases[] = {
      {":", ".", ",", "dd.MM.yyyy", ".:,DMY"},  {":", "/", ".", "M/d/yyyy", "/:.MDY"},
      {":", "-", ".", "yyyy-MM-dd", "-:.YMD"},  {".", "\\", ",", "yy\\MM\\dd", "\\.,YMD"},
      {",", ".", ".", "d.M.yyyy", ".,.DMY"},
      {"h", " ", "'", "dd MMM yyyy", ".:.DMY"},  // unacceptable characters; one field only
      {"::", "//", ",,", "d/M", ".:.DMY"},       // longer than one character; two fields
      {nullptr, nullptr, nullptr, nullptr, ".:.DMY"}, {"", "", "", "", ".:.DMY"},
      {":", ".", ",", "MM//dd--yy", ".:,MDY"},   // runs of separators
      {":", ".", ",", "yyyy.MM.dd.", ".:,YMD"},  {":", ".", ",", "gg yyyy/MM/dd", ".:,DMY"},
      {":", ".", ",", "d/M/gg/yy", ".:,DMY"},    {":", ".", ",", "M/d/yy/dd", ".:,MDY"},
      {":", ".", ",", fits.c_str(), ".:,MDY"},   {":", ".", ",", too_long.c_str(), ".:,DMY"},
  };
  for (const Case& c : cases) {
    g_answers[0] = c.time, g_answers[1] = c.date, g_answers[2] = c.decimal, g_answers[3] = c.pattern;
    const LocaleState s = vt::frame::read_locale_state(fake_query);
    EXPECT_EQ(c.want, std::string(s.date_separator) + s.time_separator + s.decimal_separator + s.date_order)
        << (c.pattern ? c.pattern : "(no pattern)");
  }
}

// Runs the body under a chosen state and puts the process state back.
class WithLocale : public ::testing::Test {
 protected:
  void SetUp() override { saved_ = vt::frame::locale_state(); }
  void TearDown() override { vt::frame::set_locale_state(saved_); }
  LocaleState saved_;
};

TEST_F(WithLocale, GetSepAndTheDecimalMarkConversions) {
  vt::frame::set_locale_state({"/", ".", ",", "MDY"});
  EXPECT_EQ("/.,", std::string(GetSep(0)) + GetSep(1) + GetSep(2));
  for (int other : {3, -1, 1000}) EXPECT_STREQ("", GetSep(other));
  struct Case {
    char decimal;
    const char *point_form, *locale_form;
  } cases[] = {{',', "3.25", "3,25"}, {',', "1.2.3", "1,2.3"}, {',', "12", "12"},
               {',', "", ""},         {'.', "1.2.3", "1.2.3"}, {',', "-.5e3", "-,5e3"}};
  for (const Case& c : cases) {
    LocaleState s = vt::frame::kDefaultLocaleState;
    s.decimal_separator[0] = c.decimal;
    vt::frame::set_locale_state(s);
    char buf[16];
    std::strcpy(buf, c.point_form);
    EXPECT_EQ(buf, lcFloatConv(buf));
    EXPECT_STREQ(c.locale_form, buf);
    EXPECT_EQ(buf, lcConvFloat(buf));
    EXPECT_STREQ(c.point_form, buf);
  }
  EXPECT_EQ(nullptr, lcFloatConv(nullptr));
  EXPECT_EQ(nullptr, lcConvFloat(nullptr));
}

}  // namespace
