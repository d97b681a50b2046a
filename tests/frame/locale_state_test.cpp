// The locale state as computed from the answers of the user's locale, and
// the exported accessors over it.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "frame/locale_state.h"
#include "veltra/frame.h"

namespace {

using vt::frame::LocaleState;
using vt::port::LocaleItem;

// What the stand-in locale answers; null: the query fails.
struct Answers {
  const char *time, *date, *decimal, *short_date;
};
Answers g_answers;

// Answers with the buffer rules of GetLocaleInfoA: a value that does not
// fit with its terminator fails.
int fake_query(LocaleItem item, char* buf, int size) {
  const char* v = nullptr;
  switch (item) {
    case LocaleItem::TimeSeparator: v = g_answers.time; break;
    case LocaleItem::DateSeparator: v = g_answers.date; break;
    case LocaleItem::DecimalSeparator: v = g_answers.decimal; break;
    case LocaleItem::ShortDate: v = g_answers.short_date; break;
  }
  if (!v) return 0;
  int n = static_cast<int>(std::strlen(v)) + 1;
  if (n > size) return 0;
  std::memcpy(buf, v, static_cast<size_t>(n));
  return n;
}

std::string pad(const char* s, size_t length) {
  std::string r = s;
  r.resize(length, ' ');
  return r;
}
const std::string kPattern63 = pad("M/d/yyyy", 63);
const std::string kPattern64 = pad("M/d/yyyy", 64);

TEST(LocaleState, ReadFromTheLocalesAnswers) {
  struct Case {
    Answers in;
    const char *date, *time, *decimal, *order;
  } cases[] = {
      {{":", ".", ",", "dd.MM.yyyy"}, ".", ":", ",", "DMY"},
      {{":", "/", ".", "M/d/yyyy"}, "/", ":", ".", "MDY"},
      {{":", "-", ".", "yyyy-MM-dd"}, "-", ":", ".", "YMD"},
      {{".", "\\", ",", "yy\\MM\\dd"}, "\\", ".", ",", "YMD"},
      {{",", ".", ".", "d.M.yyyy"}, ".", ",", ".", "DMY"},
      {{"h", " ", "'", "dd MMM yyyy"}, ".", ":", ".", "DMY"},  // unacceptable characters; one field
      {{"::", "//", ",,", "d/M"}, ".", ":", ".", "DMY"},         // do not fit; two fields
      {{nullptr, nullptr, nullptr, nullptr}, ".", ":", ".", "DMY"},
      {{"", "", "", ""}, ".", ":", ".", "DMY"},
      {{":", ".", ",", "MM//dd--yy"}, ".", ":", ",", "MDY"},     // runs of separators
      {{":", ".", ",", "yyyy.MM.dd."}, ".", ":", ",", "YMD"},
      {{":", ".", ",", "gg yyyy/MM/dd"}, ".", ":", ",", "DMY"},  // first field not D/M/Y
      {{":", ".", ",", "d/M/gg/yy"}, ".", ":", ",", "DMY"},      // stops at the third field
      {{":", ".", ",", "M/d/yy/dd"}, ".", ":", ",", "MDY"},      // fourth field ignored
      {{":", ".", ",", kPattern63.c_str()}, ".", ":", ",", "MDY"},
      {{":", ".", ",", kPattern64.c_str()}, ".", ":", ",", "DMY"},
  };
  for (const Case& c : cases) {
    g_answers = c.in;
    LocaleState s = vt::frame::read_locale_state(fake_query);
    SCOPED_TRACE(std::string("pattern ") + (c.in.short_date ? c.in.short_date : "(none)"));
    EXPECT_STREQ(c.date, s.date_separator);
    EXPECT_STREQ(c.time, s.time_separator);
    EXPECT_STREQ(c.decimal, s.decimal_separator);
    EXPECT_STREQ(c.order, s.date_order);
  }
}

// Runs the body under a chosen state and puts the process state back.
class WithLocale : public ::testing::Test {
 protected:
  void SetUp() override { saved_ = vt::frame::locale_state(); }
  void TearDown() override { vt::frame::set_locale_state(saved_); }
  LocaleState saved_;
};

TEST_F(WithLocale, GetSepGivesEachSeparatorAndEmptyOtherwise) {
  vt::frame::set_locale_state({"/", ".", ",", "MDY"});
  EXPECT_STREQ("/", GetSep(0));
  EXPECT_STREQ(".", GetSep(1));
  EXPECT_STREQ(",", GetSep(2));
  for (int other : {3, -1, 1000}) {
    ASSERT_NE(nullptr, GetSep(other));
    EXPECT_STREQ("", GetSep(other));
  }
}

TEST_F(WithLocale, DecimalMarkConversionsAreInverse) {
  struct Case {
    char decimal;
    const char *point_form, *locale_form;
  } cases[] = {
      {',', "3.25", "3,25"},  {',', "1.2.3", "1,2.3"}, {',', "12", "12"}, {',', "", ""},
      {'.', "3.25", "3.25"},  {'.', "1.2.3", "1.2.3"}, {',', "-.5e3", "-,5e3"},
  };
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
