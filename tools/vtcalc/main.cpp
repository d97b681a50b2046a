// vtcalc: evaluates formulas over the rows of a CSV file with the library's
// formula engine. The header row names the signals; every formula becomes
// one more column of the output. Streams: one row in memory at a time.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "csv.h"
#include "frame/attach.h"
#include "time_cell.h"
#include "veltra/ctlcalc.h"
#include "veltra/format.h"

namespace {

constexpr std::uint32_t kTextSize = 4096;    // longest formula text
constexpr std::uint32_t kCodeEntries = 4096;  // code records per formula
constexpr int kMaxColumns = 32000;           // indices are 16-bit; 1000-1005 are built-ins
constexpr int kFirstBuiltin = 1000;

const char kUsage[] =
    "usage: vtcalc [options] INPUT.csv FORMULA...\n"
    "\n"
    "Reads INPUT.csv (\"-\" for standard input), whose first row names the signals,\n"
    "evaluates every FORMULA on each row and writes the rows with one result\n"
    "column per formula (headed by the formula text) to standard output.\n"
    "\n"
    "Formulas use the column names as signals, for example\n"
    "  \"druck * durchfluss / 600\"   \"pumpe_ein und nicht stoerung\"\n"
    "  \"temperatur > 80 ? 1 : 0\"    \"sqrt(x^2 + y^2)\"\n"
    "Operators: + - * / ^, comparisons < <= == >= > !=, conditionals c ? a : b,\n"
    "Boolean & and und, | or oder, ^ xor xoder, ! not nicht; functions ln exp\n"
    "sqrt sinh cosh tanh sin cos tan atan acos asin abs int rad deg sgn sqr\n"
    "min max mod; constants pi, e, ein/aus, true/false, on/off, high/low.\n"
    "\"and\" binds more loosely than \"or\", \"or\" than \"xor\": p | q & r is (p | q) & r.\n"
    "Numeric columns are float signals. A Boolean formula gives 1 or 0.\n"
    "\n"
    "options:\n"
    "  -b, --bool NAME[,NAME...]  treat these columns as Boolean signals\n"
    "                             (cells 0/1, ein/aus, true/false, on/off, high/low)\n"
    "  -d, --delimiter C          field separator (default: ';' when the header\n"
    "                             holds one, else ','); with ';' a decimal comma\n"
    "                             is read as a decimal point\n"
    "  -f, --format MASK          write the results under a format mask:\n"
    "                             \"#####.##\" width and decimals, \"0####\" leading\n"
    "                             zeros, \"E##.###\" exponent, \"xxxx\" hexadecimal,\n"
    "                             \"bbbb\" binary, \"hh:mm:ss.sss\" a duration in\n"
    "                             seconds (default: six significant digits)\n"
    "  -o, --output FILE          write to FILE instead of standard output\n"
    "  -t, --time NAME            NAME is the time column: each cell is epoch\n"
    "                             seconds (a fraction gives milliseconds) or a\n"
    "                             date and time in the user's notation, such as\n"
    "                             \"17.05.2024 12:30:45\"; it is written back in\n"
    "                             the user's notation. The time column is no\n"
    "                             signal (a float cannot hold epoch seconds to\n"
    "                             the second)\n"
    "  -h, --help                 show this text\n"
    "\n"
    "An empty cell of a float column is NaN (written as #NAN). A formula that\n"
    "does not compile is reported with its error and a caret under the error\n"
    "position; the exit status is then 2 (1 for bad input data or files).\n";

struct Column {
  std::string name;
  bool boolean = false;
  bool time = false;  // not a signal: read and rewritten as a time
};

// The current row, read by the value callback; the engine is single-threaded.
std::vector<Column> g_columns;
std::vector<float> g_cells;

std::int16_t column_index(const char* name, std::int16_t type) {
  for (std::size_t i = 0; i < g_columns.size(); ++i)
    if (g_columns[i].name == name && !g_columns[i].time) {
      bool wanted_boolean = type == 4;
      if (g_columns[i].boolean != wanted_boolean) return -1;
      // Skip the indices of the built-in variables.
      return static_cast<std::int16_t>(i < kFirstBuiltin ? i : i + 6);
    }
  return -1;
}

float cell_value(std::int16_t index, std::int16_t) {
  int i = index < kFirstBuiltin ? index : index - 6;
  return g_cells[static_cast<std::size_t>(i)];
}

// Code page 1252 (the engine's error texts) to UTF-8 for the terminal; the
// texts only use the Latin-1 part of it.
std::string to_utf8(const char* s) {
  std::string out;
  for (; *s; ++s) {
    unsigned char c = static_cast<unsigned char>(*s);
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else {
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return out;
}

// UTF-8 names and formulas to code page 1252, the engine's text.
std::string to_cp1252(const std::string& s) {
  std::string out;
  for (std::size_t i = 0; i < s.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(s[i]);
    if ((c == 0xC2 || c == 0xC3) && i + 1 < s.size()) {
      out += static_cast<char>(((c & 0x1F) << 6) | (s[i + 1] & 0x3F));
      ++i;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out;
}

bool parse_float(const std::string& text, bool decimal_comma, float& out) {
  std::size_t a = text.find_first_not_of(" \t");
  if (a == std::string::npos) {
    out = NAN;  // empty cell: a missing measurement
    return true;
  }
  std::size_t b = text.find_last_not_of(" \t");
  // The cell itself stays as read: it may be written out again.
  static std::string number;
  number.assign(text, a, b + 1 - a);
  char* first = &number[0];
  char* last = first + number.size();
  if (decimal_comma)
    for (char* p = first; p != last; ++p)
      if (*p == ',') *p = '.';
  if (*first == '+') ++first;
  auto r = std::from_chars(first, last, out);
  return r.ec == std::errc() && r.ptr == last;
}

bool parse_bool(const std::string& text, float& out) {
  static const char* const kTrue[] = {"1", "ein", "true", "on", "high"};
  static const char* const kFalse[] = {"0", "aus", "false", "off", "low"};
  std::string t;
  for (char c : text)
    if (c != ' ' && c != '\t') t += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  std::uint32_t bits;
  if (std::find_if(std::begin(kTrue), std::end(kTrue), [&](const char* s) { return t == s; }) != std::end(kTrue))
    bits = 1;
  else if (std::find_if(std::begin(kFalse), std::end(kFalse), [&](const char* s) { return t == s; }) != std::end(kFalse))
    bits = 0;
  else
    return false;
  std::memcpy(&out, &bits, 4);  // the Boolean travels in the low 16 bits
  return true;
}

// Six significant digits, like a spreadsheet; the decimal mark of the input.
constexpr int kResultDigits = 6;
// The forms --format accepts: decimal, leading zeros, exponent, binary,
// hexadecimal, duration.
constexpr std::int16_t kMaskForms = 0x0F80;
// FormatFloat's buffer; masks read by ScanFormat are at most 32 wide.
constexpr int kFormattedSize = 80;

// A result under the format word of --format.
struct ResultFormat {
  bool given = false;
  std::int16_t format = 0, decimals = 0;
};

void write_formatted(std::FILE* out, float v, const ResultFormat& f, bool decimal_comma) {
  char buf[kFormattedSize];
  FormatFloat(buf, f.format, f.decimals, v, 0);
  // A duration's point stays; a number takes the decimal mark of the input.
  if (decimal_comma && !(f.format & 0x200))
    if (char* point = std::strchr(buf, '.')) *point = ',';
  std::fputs(buf, out);
}

void write_result(std::FILE* out, float v, bool decimal_comma) {
  if (std::isnan(v)) {
    std::fputs("#NAN", out);
    return;
  }
  if (std::isinf(v)) {
    std::fputs(v > 0 ? "#INF" : "#NINF", out);
    return;
  }
  char buf[32];
  auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general, kResultDigits);
  if (decimal_comma)
    for (char* p = buf; p != r.ptr; ++p)
      if (*p == '.') *p = ',';
  std::fwrite(buf, 1, r.ptr - buf, out);
}

struct Options {
  std::string input;
  std::string output;
  std::vector<std::string> formulas;
  std::vector<std::string> booleans;
  std::string time_column;
  char sep = 0;
  ResultFormat format;
};

int parse_args(int argc, char** argv, Options& o) {
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    auto value = [&](const char* what) -> const char* {
      if (i + 1 >= argc) {
        std::fprintf(stderr, "vtcalc: %s needs %s\n", a.c_str(), what);
        return nullptr;
      }
      return argv[++i];
    };
    if (a == "-h" || a == "--help") {
      std::fputs(kUsage, stdout);
      return 0;
    } else if (a == "-b" || a == "--bool") {
      const char* v = value("column names");
      if (!v) return 1;
      std::string list = v;
      for (std::size_t p = 0; p <= list.size();) {
        std::size_t q = list.find(',', p);
        if (q == std::string::npos) q = list.size();
        if (q > p) o.booleans.push_back(list.substr(p, q - p));
        p = q + 1;
      }
    } else if (a == "-d" || a == "--delimiter") {
      const char* v = value("a character");
      if (!v) return 1;
      o.sep = std::strcmp(v, "\\t") == 0 ? '\t' : v[0];
    } else if (a == "-f" || a == "--format") {
      const char* v = value("a format mask");
      if (!v) return 1;
      if (!ScanFormat(v, &o.format.format, &o.format.decimals, kMaskForms)) {
        std::fprintf(stderr, "vtcalc: \"%s\" is no format mask (see --help)\n", v);
        return 1;
      }
      o.format.given = true;
    } else if (a == "-t" || a == "--time") {
      const char* v = value("a column name");
      if (!v) return 1;
      o.time_column = v;
    } else if (a == "-o" || a == "--output") {
      const char* v = value("a file name");
      if (!v) return 1;
      o.output = v;
    } else if (a.size() > 1 && a[0] == '-' && o.input.empty()) {
      std::fprintf(stderr, "vtcalc: unknown option %s (see --help)\n", a.c_str());
      return 1;
    } else if (o.input.empty()) {
      o.input = a;
    } else {
      o.formulas.push_back(a);
    }
  }
  if (o.input.empty() || o.formulas.empty()) {
    std::fputs("vtcalc: need an input file and at least one formula (see --help)\n", stderr);
    return 1;
  }
  return -1;  // go on
}

struct Formula {
  std::vector<char> text = std::vector<char>(kTextSize);
  std::vector<codeentry> code = std::vector<codeentry>(kCodeEntries);
  ctlcalc calc{text.data(), code.data(), kTextSize, kCodeEntries};
};

}  // namespace

int main(int argc, char** argv) {
  Options opt;
  if (int rc = parse_args(argc, argv, opt); rc >= 0) return rc;
  // The library is linked statically: no entry point reads the user's
  // locale (the notation of times), so the program has it read.
  vt::frame::attach_for_tests();

  std::FILE* in = opt.input == "-" ? stdin : std::fopen(opt.input.c_str(), "rb");
  if (!in) {
    std::fprintf(stderr, "vtcalc: cannot open %s\n", opt.input.c_str());
    return 1;
  }
  vtcalc::LineReader reader(in);
  std::string line;
  if (!reader.next(line)) {
    std::fprintf(stderr, "vtcalc: %s is empty\n", opt.input.c_str());
    return 1;
  }
  if (line.size() >= 3 && line.compare(0, 3, "\xEF\xBB\xBF") == 0) line.erase(0, 3);  // BOM
  char sep = opt.sep ? opt.sep : (line.find(';') != std::string::npos ? ';' : ',');
  std::vector<std::string> fields;
  vtcalc::split_fields(line, sep, fields);
  if (fields.size() > kMaxColumns) {
    std::fprintf(stderr, "vtcalc: more than %d columns\n", kMaxColumns);
    return 1;
  }
  for (const std::string& f : fields) g_columns.push_back({to_cp1252(f), false});
  for (const std::string& b : opt.booleans) {
    std::string name = to_cp1252(b);
    bool found = false;
    for (Column& c : g_columns)
      if (c.name == name) c.boolean = found = true;
    if (!found) {
      std::fprintf(stderr, "vtcalc: no column named %s\n", b.c_str());
      return 1;
    }
  }
  if (!opt.time_column.empty()) {
    std::string name = to_cp1252(opt.time_column);
    auto c = std::find_if(g_columns.begin(), g_columns.end(), [&](const Column& col) { return col.name == name; });
    if (c == g_columns.end()) {
      std::fprintf(stderr, "vtcalc: no column named %s\n", opt.time_column.c_str());
      return 1;
    }
    if (c->boolean) {
      std::fprintf(stderr, "vtcalc: column %s cannot be Boolean and the time column\n", opt.time_column.c_str());
      return 1;
    }
    c->time = true;
  }
  g_cells.assign(g_columns.size(), 0.0f);

  std::vector<Formula> formulas(opt.formulas.size());
  int failed = 0;
  for (std::size_t i = 0; i < formulas.size(); ++i) {
    ctlcalc& c = formulas[i].calc;
    c.setfunctions(column_index, cell_value, nullptr);
    std::string text = to_cp1252(opt.formulas[i]);
    if (text.size() >= kTextSize) {
      std::fprintf(stderr, "vtcalc: formula %zu is longer than %u bytes\n", i + 1, kTextSize - 1);
      return 2;
    }
    c.settext(text.c_str());
    if (!c.compile()) {
      std::fprintf(stderr, "vtcalc: formula %zu does not compile: %s (error %d)\n  %s\n  %*s^\n", i + 1,
                   to_utf8(c.geterrorstr()).c_str(), c.geterror(), opt.formulas[i].c_str(),
                   static_cast<int>(to_utf8(std::string(text, 0, c.geterrorpos()).c_str()).size()), "");
      ++failed;
    }
  }
  if (failed) return 2;

  std::FILE* out = opt.output.empty() ? stdout : std::fopen(opt.output.c_str(), "wb");
  if (!out) {
    std::fprintf(stderr, "vtcalc: cannot write %s\n", opt.output.c_str());
    return 1;
  }
  static char out_buffer[1 << 16];
  std::setvbuf(out, out_buffer, _IOFBF, sizeof out_buffer);

  std::fwrite(line.data(), 1, line.size(), out);
  for (const std::string& f : opt.formulas) {
    std::fputc(sep, out);
    vtcalc::write_field(out, f, sep);
  }
  std::fputc('\n', out);

  bool decimal_comma = sep == ';';
  unsigned long row = 1;
  char time_text[vtcalc::kTimeCellSize];
  while (reader.next(line)) {
    ++row;
    if (line.empty()) continue;
    vtcalc::split_fields(line, sep, fields);
    for (std::size_t i = 0; i < g_columns.size(); ++i) {
      std::string empty;
      std::string& f = i < fields.size() ? fields[i] : empty;
      if (g_columns[i].time) {
        if (!vtcalc::time_cell_text(f, decimal_comma, time_text)) {
          std::fprintf(stderr,
                       "vtcalc: line %lu, column %s: \"%s\" is no time in 1970-2099 (epoch seconds or a date "
                       "and time like %s)\n",
                       row, g_columns[i].name.c_str(), f.c_str(), vtcalc::example_time_text().c_str());
          return 1;
        }
        if (i < fields.size()) f = time_text;
        continue;
      }
      bool ok = g_columns[i].boolean ? parse_bool(f, g_cells[i]) : parse_float(f, decimal_comma, g_cells[i]);
      if (!ok) {
        std::fprintf(stderr, "vtcalc: line %lu, column %s: \"%s\" is no %s\n", row, g_columns[i].name.c_str(),
                     f.c_str(), g_columns[i].boolean ? "Boolean (0/1, ein/aus)" : "number");
        return 1;
      }
    }
    if (opt.time_column.empty()) {
      std::fwrite(line.data(), 1, line.size(), out);
    } else {
      for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i) std::fputc(sep, out);
        vtcalc::write_field(out, fields[i], sep);
      }
    }
    for (Formula& f : formulas) {
      std::fputc(sep, out);
      if (opt.format.given)
        write_formatted(out, f.calc.eval(), opt.format, decimal_comma);
      else
        write_result(out, f.calc.eval(), decimal_comma);
    }
    std::fputc('\n', out);
  }
  if (std::fflush(out) != 0 || (out != stdout && std::fclose(out) != 0)) {
    std::fprintf(stderr, "vtcalc: writing failed\n");
    return 1;
  }
  if (in != stdin) std::fclose(in);
  return 0;
}
