// The columns of the input: their names as the formulas see them, which of
// them are Boolean signals or the time column, and the engine's name and
// value callbacks over the current row.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "veltra/ctlcalc.h"

namespace vtcalc {

struct Column {
  std::string header;  // as read (UTF-8), written back unchanged
  std::string name;    // the formulas' name (code page 1252), empty for none
  bool boolean = false;
  bool time = false;  // not a signal: read and rewritten as a time
  bool used = false;  // a formula or the plot reads it: its cells are read
  int slot = -1;      // its row of the value block when used
};

// Columns beyond this are refused: the engine's indices are 16-bit and
// 1000-1005 are its built-in variables.
constexpr int kMaxColumns = 32000;

class ColumnTable {
 public:
  // The header's fields. Each header that is a formula name (a letter or
  // "_" first, then letters, digits, "_" and ".") names its column.
  explicit ColumnTable(const std::vector<std::string>& headers);

  // --name NAME=COLUMN: gives a column a name. False with `error` set when
  // the column is missing, already named by an option, or the name is no
  // formula name.
  bool add_name(const std::string& name, const std::string& header, std::string& error);
  // Checks that no name stands for two columns; false with `error` set.
  bool check_unique(std::string& error) const;

  // The column a --bool, --time or --signals option means: a name or a
  // header; -1 when there is none.
  int find(const std::string& name_or_header) const;

  // Headers in a list for messages: "zeit, Druck vorne, T-Vorlauf".
  std::string header_list() const;

  std::vector<Column>& columns() { return columns_; }
  const std::vector<Column>& columns() const { return columns_; }

  // The engine's name callback. While `this` is installed (install()), it
  // maps a formula name to the engine's index of its column and records
  // names it did not know. Values come by columns (evalcolumns), never
  // through the value callback.
  void install(ctlcalc& calc);
  const std::vector<std::string>& unknown_names() const { return unknown_; }
  void clear_unknown_names() { unknown_.clear(); }
  // An extra name treated as known (of no column) while looking for the
  // name that stopped a compile.
  void set_probe_name(const std::string& name) { probe_ = name; }

  // Engine index of column i and back.
  static std::int16_t engine_index(std::size_t column);
  static std::size_t column_of(std::int16_t index);
  // The engine's own variables x, xl, xh, y, yl, yh.
  static bool is_builtin(std::int16_t index);

 private:
  static std::int16_t get_name(const char* name, std::int16_t type);

  std::vector<Column> columns_;
  std::vector<std::string> unknown_;
  std::string probe_;
};

// True when `name` (code page 1252) can stand in a formula as a name.
bool is_formula_name(const std::string& name);

}  // namespace vtcalc
