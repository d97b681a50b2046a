#include "options.h"

#include <cstdio>
#include <cstring>

#include "help.h"
#include "messages.h"
#include "veltra/version.h"

namespace vtcalc {

namespace {

void split_list(const std::string& list, std::vector<std::string>& out) {
  for (std::size_t p = 0; p <= list.size();) {
    std::size_t q = list.find(',', p);
    if (q == std::string::npos) q = list.size();
    if (q > p) out.push_back(list.substr(p, q - p));
    p = q + 1;
  }
}

// A separator or decimal mark: one character, "\t" for a tab.
bool one_char(const char* v, char& out) {
  if (std::strcmp(v, "\\t") == 0) {
    out = '\t';
    return true;
  }
  if (std::strlen(v) != 1 || v[0] == '"' || v[0] == '\n' || v[0] == '\r') return false;
  out = v[0];
  return true;
}

}  // namespace

int parse_args(int argc, char** argv, Options& o) {
  ResultFormat format;  // the mask of the formulas that follow
  bool options_end = false;
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    auto value = [&](const char* what) -> const char* {
      if (i + 1 >= argc) {
        report("%s needs %s", a.c_str(), what);
        return nullptr;
      }
      return argv[++i];
    };
    const char* v = nullptr;
    if (options_end || a.size() < 2 || a[0] != '-') {
      if (o.input.empty()) {
        o.input = a;
      } else {
        FormulaSpec f = split_named_formula(a);
        f.format = format;
        o.formulas.push_back(f);
      }
    } else if (a == "--") {
      options_end = true;
    } else if (a == "-h" || a == "--help") {
      std::fputs(kHelp, stdout);
      return 0;
    } else if (a == "-V" || a == "--version") {
      std::printf("vtcalc %s (Veltra support library %s)\n", VELTRA_VERSION_TEXT, VeltraVersion());
      return 0;
    } else if (a == "-b" || a == "--bool") {
      if (!(v = value("column names"))) return 1;
      split_list(v, o.booleans);
    } else if (a == "-s" || a == "--signals") {
      if (!(v = value("column names"))) return 1;
      split_list(v, o.plot_signals);
    } else if (a == "-d" || a == "--delimiter") {
      if (!(v = value("a character"))) return 1;
      if (!one_char(v, o.sep)) {
        report("the delimiter must be one character, not \"%s\"", v);
        return 1;
      }
    } else if (a == "--decimal") {
      if (!(v = value("\".\" or \",\""))) return 1;
      if (std::strcmp(v, ".") != 0 && std::strcmp(v, ",") != 0) {
        report("the decimal mark is \".\" or \",\", not \"%s\"", v);
        return 1;
      }
      o.decimal = v[0];
    } else if (a == "--date") {
      if (!(v = value("a date pattern"))) return 1;
      if (!parse_notation(v, o.notation)) {
        report("\"%s\" is no date pattern: dd.mm.yyyy, mm/dd/yyyy or yyyy-mm-dd with any date separator, "
               "optionally with \" hh:mm:ss\" and any time separator; or iso (yyyy-mm-ddThh:mm:ss)",
               v);
        return 1;
      }
    } else if (a == "-f" || a == "--format") {
      if (!(v = value("a format mask"))) return 1;
      if (!parse_mask(v, format)) {
        report("\"%s\" is no format mask (see --help)", v);
        return 1;
      }
    } else if (a == "-n" || a == "--name") {
      if (!(v = value("NAME=COLUMN"))) return 1;
      const char* eq = std::strchr(v, '=');
      if (!eq || eq == v || !eq[1]) {
        report("--name takes NAME=COLUMN, not \"%s\"", v);
        return 1;
      }
      o.names.emplace_back(std::string(v, eq), std::string(eq + 1));
    } else if (a == "-t" || a == "--time") {
      if (!(v = value("a column name"))) return 1;
      o.time_column = v;
    } else if (a == "-o" || a == "--output") {
      if (!(v = value("a file name"))) return 1;
      o.output = v;
    } else if (a == "-p" || a == "--plot") {
      if (!(v = value("a file name"))) return 1;
      o.plot = v;
    } else if (o.input.empty()) {
      report("unknown option %s (see --help)", a.c_str());
      return 1;
    } else {
      // After the input a text like "-druck" is a formula.
      FormulaSpec f = split_named_formula(a);
      f.format = format;
      o.formulas.push_back(f);
    }
  }
  if (o.input.empty() || o.formulas.empty()) {
    report("need an input file and at least one formula (see --help)");
    return 1;
  }
  return -1;
}

}  // namespace vtcalc
