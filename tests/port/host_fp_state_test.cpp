// The host's floating-point state does not reach the results: the formula
// corpus and the benchmark set (compile with folding, stored code, eval row
// by row and by columns through the C handle API), the decimal golden file (format and scan back),
// durations, time conversions, the time value class and the colour model
// give the same bits under every host state as under the default one, raise
// no exception, and leave the caller's state exactly as it was.
//
// While a host state is loaded the test itself does no float arithmetic
// (only calls, copies and integer work), so nothing but the library runs in
// that state.
#include <gtest/gtest.h>

#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fstream>
#include <string>
#include <vector>

#include "../../bench/formula_set.h"
#include "support/file_text.h"
#include "veltra/codec.h"
#include "veltra/ctlcalc_c.h"
#include "veltra/format.h"
#include "veltra/timeconv.h"
#include "veltra/timestr.h"
#include "veltra/tmsmap.h"

namespace {

struct HostState {
  const char* name;
  std::uint16_t x87;  // control word; only the i686 build loads it
  std::uint32_t mxcsr;
};

constexpr std::uint16_t kX87Default = 0x037F;
constexpr std::uint32_t kMxcsrDefault = 0x1F80;
constexpr std::uint32_t kMxcsrFlags = 0x3F;

const HostState kStates[] = {
#if defined(__i386__)
    {"x87 24-bit precision", 0x007F, kMxcsrDefault},
    {"x87 53-bit precision", 0x027F, kMxcsrDefault},
    {"x87 64-bit precision toward zero", 0x0F7F, kMxcsrDefault},
    // 0x1332 as hosts set it; bit 6 always reads back as 1
    {"x87 exceptions unmasked", 0x1372, kMxcsrDefault},
#endif
    {"SSE flush-to-zero and denormals-are-zero", kX87Default, 0x9FC0},
    {"SSE toward zero", kX87Default, 0x7F80},
    {"SSE exceptions unmasked", kX87Default, 0x0000},
};

void load_state(const HostState& s) {
#if defined(__i386__)
  asm volatile("fnclex\n\tfldcw %0" ::"m"(s.x87) : "memory");
#endif
  asm volatile("ldmxcsr %0" ::"m"(s.mxcsr) : "memory");
}

HostState read_state() {
  HostState s{"", kX87Default, 0};
#if defined(__i386__)
  asm volatile("fnstcw %0" : "=m"(s.x87)::"memory");
#endif
  asm volatile("stmxcsr %0" : "=m"(s.mxcsr)::"memory");
  return s;
}

// The x87 sticky flags, except the denormal-operand flag: a float or double
// result comes back through st(0), and the caller's own load of a denormal
// result raises it.
std::uint16_t x87_flags() {
  std::uint16_t sw = 0;
#if defined(__i386__)
  asm volatile("fnstsw %0" : "=m"(sw)::"memory");
#endif
  return sw & 0x3D;
}

// Variable values that tell the states apart: denormals, large arguments
// of the periodic functions, overflows, arguments outside a domain.
constexpr float kValues[16] = {1.5f,   -2.25f, 4.0f,  10.0f,     1e-39f, -1e-40f, 3e38f, 1e10f,
                               2.0f,   100.0f, 0.1f,  -0.0f,     88.8f,  1e-20f,  7.0f,  1e5f};
constexpr int kRows = 4;
int g_row = 0;

std::int16_t any_name(void*, const char* name, std::int16_t type) {
  return static_cast<std::int16_t>(type == 4 ? 20 + name[0] % 4 : name[0] % 16);
}

float row_value(void*, std::int16_t index, std::int16_t type) {
  if (type == 4) {
    std::uint32_t b = static_cast<std::uint32_t>((index + g_row) & 1);
    float f;
    std::memcpy(&f, &b, sizeof f);
    return f;
  }
  return kValues[(index + g_row) % 16];
}

// The same values as columns, for the column evaluation.
float g_float_rows[16][kRows];
std::int16_t g_bool_rows[24][kRows];
const float* g_float_columns[16];
const std::int16_t* g_bool_columns[24];

void fill_columns() {
  for (int i = 0; i < 24; ++i) {
    for (int r = 0; r < kRows; ++r) {
      if (i < 16) g_float_rows[i][r] = kValues[(i + r) % 16];
      g_bool_rows[i][r] = static_cast<std::int16_t>((i + r) & 1);
    }
    if (i < 16) g_float_columns[i] = g_float_rows[i];
    g_bool_columns[i] = g_bool_rows[i];
  }
}

struct Inputs {
  std::vector<std::string> texts;  // formula texts
  std::vector<std::string> codes;  // stored code
  struct Golden {
    unsigned format;
    int decimals;
    double value;
  };
  std::vector<Golden> golden;
};

Inputs read_inputs() {
  fill_columns();
  Inputs in;
  std::string dir = std::string(VELTRA_TEST_DATA) + "/../fuzz/corpus/formula";
  if (DIR* d = opendir(dir.c_str())) {
    while (dirent* e = readdir(d)) {
      std::string name = e->d_name;
      if (name[0] == '.') continue;
      std::string bytes = vt::test::file_text(dir + "/" + name);
      (name.size() > 4 && name.compare(name.size() - 4, 4, ".bin") == 0 ? in.codes : in.texts).push_back(bytes);
    }
    closedir(d);
  }
  for (const formula_set::Entry& e : formula_set::kFormulas) in.texts.push_back(e.ours);
  std::ifstream golden(std::string(VELTRA_TEST_DATA) + "/format/data/float_texts.txt");
  std::string line;
  while (std::getline(golden, line)) {
    Inputs::Golden g;
    std::uint64_t bits;
    if (line.empty() || line[0] == '#' ||
        std::sscanf(line.c_str(), "%x %d %" SCNx64, &g.format, &g.decimals, &bits) != 3)
      continue;
    std::memcpy(&g.value, &bits, sizeof bits);
    in.golden.push_back(g);
  }
  return in;
}

template <typename T>
void put(std::vector<std::uint32_t>& out, const T& v) {
  std::uint32_t words[(sizeof(T) + 3) / 4] = {};
  std::memcpy(words, &v, sizeof v);
  out.insert(out.end(), words, words + sizeof words / 4);
}

void put_text(std::vector<std::uint32_t>& out, const char* s) {
  while (*s) out.push_back(static_cast<unsigned char>(*s++));
  out.push_back(0);
}

void evaluate_rows(CalcHandle* h, std::vector<std::uint32_t>& out) {
  for (g_row = 0; g_row < kRows; ++g_row) {
    for (int b = 0; b < 6; ++b) CalcSetBuiltin(h, b, kValues[(b + 3 * g_row) % 16]);
    put(out, CalcEval(h));
  }
  float results[kRows];
  out.push_back(static_cast<std::uint32_t>(CalcEvalColumns(h, g_float_columns, 16, g_bool_columns, 24, results, kRows)));
  put(out, results);
}

// Everything the library answers for the inputs, as words.
std::vector<std::uint32_t> answers(const Inputs& in) {
  std::vector<std::uint32_t> out;
  CalcHandle* h = CalcCreate(4096, 2048);
  CalcSetCallbacks(h, any_name, row_value, nullptr);
  static std::uint32_t code[2048 * 2];
  for (const std::string& text : in.texts) {
    CalcSetText(h, text.c_str());
    out.push_back(static_cast<std::uint32_t>(CalcCompile(h)));
    out.push_back(static_cast<std::uint32_t>(CalcGetError(h)));
    out.push_back(CalcGetErrorPos(h));
    std::uint32_t bytes = CalcGetCode(h, code, sizeof code);
    if (bytes <= sizeof code) out.insert(out.end(), code, code + bytes / 4);
    evaluate_rows(h, out);
  }
  for (const std::string& stored : in.codes) {
    out.push_back(static_cast<std::uint32_t>(CalcAttachCode(h, stored.data(), static_cast<std::uint32_t>(stored.size()))));
    evaluate_rows(h, out);
  }
  CalcDestroy(h);

  char text[512];
  for (const Inputs::Golden& g : in.golden) {
    FormatFloat(text, static_cast<std::int16_t>(g.format), static_cast<std::int16_t>(g.decimals), g.value, 0);
    put_text(out, text);
    int error = 0;
    put(out, ScanFloat(text, static_cast<std::int16_t>(g.format), &error));
    out.push_back(static_cast<std::uint32_t>(error));
  }

  static const double kSeconds[] = {-5e-324, -1e-310, 0.0015, 86399.9995, 1.5e9, 4294967295.5, 1e300};
  for (double s : kSeconds) {
    for (std::int16_t mode = 0; mode < 3; ++mode) {
      TastTmStr(text, mode, s);
      put_text(out, text);
      put(out, ScanTastTmStr(text));
    }
    put(out, DateToTime_t(s));
    FILETIME ft = DoubleToFILETIME(s);
    put(out, ft);
    put(out, FILETIMEToDouble(ft));
    tmsmap m(s);
    put(out, static_cast<double>(m + tmsmap(0.1)));
    put(out, static_cast<double>(m - tmsmap(1e-320)));
    put(out, static_cast<double>(m * 0.3));
    put(out, static_cast<double>(m * std::int32_t{7}));
    put(out, static_cast<double>(m / 3.0));
    put(out, static_cast<double>(m / std::int32_t{7}));
    put(out, !m);
    put(out, ~m);
    out.push_back(m.eq(tmsmap(1e-320)) | m.lt(tmsmap(0.0)) << 1);
  }
  for (vt_time_t t : {0, 1, 86399, 1700000000, -2}) {
    put(out, Time_tToDate(t));
    put(out, tmsmap::conv(t, 999));
  }
  for (std::uint16_t r = 0; r <= 256; r += 32)
    for (std::uint16_t g = 0; g <= 256; g += 64)
      for (std::uint16_t b = 0; b <= 256; b += 16) {
        std::uint16_t hls[3], rgb[3];
        RGBtoHLS(r, g, b, &hls[0], &hls[1], &hls[2]);
        HLStoRGB(hls[0], hls[1], hls[2], &rgb[0], &rgb[1], &rgb[2]);
        put(out, hls);
        put(out, rgb);
      }
  return out;
}

TEST(HostFloatState, GivesTheDefaultStatesBitsAndIsLeftAsTheCallerSetIt) {
  Inputs in = read_inputs();
  ASSERT_GE(in.texts.size(), 40u);
  ASSERT_GE(in.codes.size(), 3u);
  ASSERT_GE(in.golden.size(), 1000u);
  const HostState before = read_state();
  ASSERT_EQ(before.x87, kX87Default);
  ASSERT_EQ(before.mxcsr & ~kMxcsrFlags, kMxcsrDefault);
  const std::vector<std::uint32_t> expected = answers(in);
  for (const HostState& s : kStates) {
    load_state(s);
    std::vector<std::uint32_t> got = answers(in);
    HostState after = read_state();
    std::uint16_t flags = x87_flags();
    load_state(before);
    // A unit left in the library's state keeps the flags the library
    // raises, as after any arithmetic; a unit the library had to switch
    // gets its flags back as they were.
    EXPECT_EQ(s.x87, after.x87) << s.name;
    if (s.x87 != kX87Default) {
      EXPECT_EQ(0, flags) << s.name;
    }
    if (s.mxcsr != kMxcsrDefault) {
      EXPECT_EQ(s.mxcsr, after.mxcsr) << s.name << ": sticky flags included";
    }
    EXPECT_EQ(s.mxcsr & ~kMxcsrFlags, after.mxcsr & ~kMxcsrFlags) << s.name;
    std::size_t first = 0;
    while (first < got.size() && first < expected.size() && got[first] == expected[first]) ++first;
    EXPECT_TRUE(first == got.size() && first == expected.size())
        << s.name << ": first difference at word " << first << std::hex << ": "
        << (first < got.size() ? got[first] : 0) << " against " << (first < expected.size() ? expected[first] : 0);
  }
}

}  // namespace
