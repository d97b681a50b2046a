// vtcalc: evaluates formulas over the rows of a CSV file with the library's
// formula engine. The header row names the signals; every formula becomes
// one more column of the output. Streams: a block of rows in memory at a
// time.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "columns.h"
#include "csv.h"
#include "formula_list.h"
#include "frame/attach.h"
#include "messages.h"
#include "options.h"
#include "file_system.h"
#include "output_file.h"
#include "plot.h"
#include "rows.h"
#include "text.h"

namespace {

using namespace vtcalc;

int error(const std::string& message) {
  report("%s", message.c_str());
  return 1;
}

// Applies the column options to the header's columns; false after a message.
bool set_up_columns(const Options& opt, ColumnTable& table, RowSettings& s) {
  std::string e;
  for (const auto& n : opt.names)
    if (!table.add_name(n.first, n.second, e)) return error("--name " + n.first + "=" + n.second + ": " + e), false;
  if (!table.check_unique(e)) return error(e), false;
  auto find = [&](const std::string& name, const char* option) {
    int c = table.find(name);
    if (c < 0) error(std::string(option) + ": no column " + quoted(name) + "; the columns are: " + table.header_list());
    return c;
  };
  for (const std::string& b : opt.booleans) {
    int c = find(b, "--bool");
    if (c < 0) return false;
    table.columns()[static_cast<std::size_t>(c)].boolean = true;
  }
  if (!opt.time_column.empty()) {
    int c = find(opt.time_column, "--time");
    if (c < 0) return false;
    Column& col = table.columns()[static_cast<std::size_t>(c)];
    if (col.boolean) return error("column " + col.header + " cannot be Boolean and the time column"), false;
    col.time = true;
    s.time_column = c;
  }
  for (const std::string& p : opt.plot_signals) {
    int c = find(p, "--signals");
    if (c < 0) return false;
    if (c == s.time_column) return error("--signals: " + p + " is the time column"), false;
    s.plot_columns.push_back(c);
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  Options opt;
  if (int rc = parse_args(argc, argv, opt); rc >= 0) return rc;
  // The library is linked statically: no entry point loads its texts.
  vt::frame::attach_for_tests();

  if (opt.input == "-") set_binary_stdin();
  std::FILE* in = opt.input == "-" ? stdin : std::fopen(opt.input.c_str(), "rb");
  if (!in) return error("cannot read " + opt.input + ": " + std::strerror(errno));
  // Both outputs are checked against the input before anything is written.
  OutputFile out, plot_file;
  std::string e;
  if (!out.open(opt.output, in, e)) return error(e);
  if (!opt.plot.empty()) {
    if (opt.plot == "-" || opt.plot == opt.output) return error("--plot: the plot needs a file of its own");
    if (!plot_file.open(opt.plot, in, e)) return error("--plot: " + e);
  }

  RecordReader reader(in);
  RowSettings s;
  RecordReader::Status header = reader.read_header(s.header, opt.sep, opt.decimal);
  if (header == RecordReader::Status::end) return error(opt.input + " is empty");
  if (header != RecordReader::Status::record)
    return error("line 1: the header is no CSV text (a NUL byte, an unclosed quote, or past " +
                 std::to_string(kMaxRecord) + " bytes)");
  s.sep = reader.separator();
  s.decimal = reader.decimal_mark();
  if (s.decimal == s.sep) return error(std::string("the decimal mark cannot be the delimiter '") + s.sep + "'");
  s.notation = opt.notation;

  std::vector<Field> fields;
  split_fields(s.header, s.sep, fields);
  if (fields.size() > static_cast<std::size_t>(kMaxColumns))
    return error("more than " + std::to_string(kMaxColumns) + " columns");
  std::vector<std::string> headers;
  std::string scratch;
  for (const Field& f : fields) headers.emplace_back(field_text(s.header, f, scratch));
  ColumnTable table(headers);
  if (!set_up_columns(opt, table, s)) return 1;

  std::vector<Formula> formulas(opt.formulas.size());
  for (std::size_t i = 0; i < formulas.size(); ++i) formulas[i].spec = opt.formulas[i];
  if (!compile_formulas(formulas, table)) return 2;

  std::vector<Plot::Series> series;
  for (Formula& f : formulas) series.push_back({f.spec.name, f.calc.gettype() == ctlcalc_boolean});
  for (int c : s.plot_columns) {
    Column& col = table.columns()[static_cast<std::size_t>(c)];
    col.used = true;
    series.push_back({col.header, col.boolean});
  }
  Plot plot(series, s.time_column >= 0, s.notation, s.decimal);
  if (!opt.plot.empty()) s.plot = &plot;

  std::FILE* o = out.file();
  s.per_row = is_terminal(o);
  static char out_buffer[1 << 16];
  std::setvbuf(o, out_buffer, _IOFBF, sizeof out_buffer);
  int rc = process_rows(reader, s, table, formulas, o);
  if (in != stdin) std::fclose(in);
  if (rc != 0) return rc;
  if (!out.commit(e)) return error(e);
  if (s.plot) {
    std::string svg = plot.svg();
    std::fwrite(svg.data(), 1, svg.size(), plot_file.file());
    if (!plot_file.commit(e)) return error("--plot: " + e);
  }
  return 0;
}
