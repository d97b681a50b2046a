#include "formula_list.h"

#include <cstdio>

#include "messages.h"
#include "text.h"

namespace vtcalc {

namespace {

// Whether the engine gets further with `name` known: then that name is what
// stopped the compile.
bool name_was_missing(ctlcalc& calc, ColumnTable& columns, const std::string& name, std::uint32_t stopped_at) {
  columns.set_probe_name(name);
  bool compiled = calc.compile() != 0;
  std::uint32_t pos = calc.geterrorpos();
  columns.set_probe_name("");
  return compiled || pos > stopped_at;
}

void report_compile_error(Formula& f, std::size_t number, ColumnTable& columns) {
  ctlcalc& c = f.calc;
  std::string text = to_cp1252(f.spec.text);
  std::int16_t error = c.geterror();
  std::uint32_t pos = c.geterrorpos();
  std::string message = to_utf8(c.geterrorstr());
  report("formula %zu does not compile: %s (error %d)\n  %s\n  %*s^", number,
               message.c_str(), error, f.spec.text.c_str(),
               static_cast<int>(to_utf8(std::string(text, 0, pos)).size()), "");
  std::vector<std::string> asked = columns.unknown_names();
  for (const std::string& name : asked) {
    if (!name_was_missing(c, columns, name, pos)) continue;
    report("formula %zu: no column is named %s; the columns are: %s", number,
                 quoted(to_utf8(name)).c_str(), columns.header_list().c_str());
    std::fputs("  (--name NAME=COLUMN names a column whose header is no formula name)\n", stderr);
    break;
  }
}

}  // namespace

FormulaSpec split_named_formula(const std::string& arg) {
  FormulaSpec s;
  s.text = arg;
  s.name = arg;
  std::size_t eq = arg.find('=');
  if (eq == std::string::npos || eq == 0) return s;
  if (eq + 1 < arg.size() && arg[eq + 1] == '=') return s;
  char before = arg[eq - 1];
  if (before == '<' || before == '>' || before == '!') return s;
  std::size_t a = arg.find_first_not_of(" \t");
  std::size_t b = arg.find_last_not_of(" \t", eq - 1);
  if (a >= eq) return s;
  s.name = arg.substr(a, b + 1 - a);
  s.text = arg.substr(eq + 1);
  return s;
}

bool compile_formulas(std::vector<Formula>& formulas, ColumnTable& columns) {
  bool ok = true;
  for (std::size_t i = 0; i < formulas.size(); ++i) {
    Formula& f = formulas[i];
    columns.install(f.calc);
    std::string text = to_cp1252(f.spec.text);
    if (text.size() >= kTextSize) {
      report("formula %zu is longer than %u bytes", i + 1, kTextSize - 1);
      ok = false;
      continue;
    }
    f.calc.settext(text.c_str());
    columns.clear_unknown_names();
    if (!f.calc.compile()) {
      report_compile_error(f, i + 1, columns);
      ok = false;
      continue;
    }
    std::int16_t list[kMaxColumns / 8];
    list[0] = -1;
    if (!f.calc.getcalclist(list, static_cast<std::int16_t>(sizeof list / sizeof list[0]))) {
      // More signals than the list holds: read every column.
      for (Column& c : columns.columns()) c.used = !c.time;
      continue;
    }
    for (std::int16_t* p = list; *p != -1; ++p) {
      if (ColumnTable::is_builtin(*p)) continue;
      std::size_t col = ColumnTable::column_of(*p);
      if (col < columns.columns().size()) columns.columns()[col].used = true;
    }
  }
  return ok;
}

}  // namespace vtcalc
