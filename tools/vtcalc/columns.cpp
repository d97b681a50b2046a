#include "columns.h"

#include "formula/keywords.h"
#include "text.h"

namespace vtcalc {

namespace {

// The engine's built-in variables take 1000-1005; the columns skip them.
constexpr int kFirstBuiltin = 1000;
constexpr int kBuiltinCount = 6;
// An index the probe name gets: no column has it.
constexpr std::int16_t kProbeIndex = 32700;

ColumnTable* g_table = nullptr;

}  // namespace

// The engine's own rules for the characters of a name.
bool is_formula_name(const std::string& name) {
  if (name.empty() || !vt::formula::is_name_start(static_cast<unsigned char>(name[0]))) return false;
  for (char c : name)
    if (!vt::formula::is_name_char(static_cast<unsigned char>(c))) return false;
  return true;
}

ColumnTable::ColumnTable(const std::vector<std::string>& headers) {
  for (const std::string& h : headers) {
    Column c;
    c.header = h;
    std::string name = to_cp1252(h);
    if (is_formula_name(name)) c.name = name;
    columns_.push_back(c);
  }
}

bool ColumnTable::add_name(const std::string& name, const std::string& header, std::string& error) {
  std::string n = to_cp1252(name);
  if (!is_formula_name(n)) {
    error = quoted(name) + " is no formula name (a letter or _ first, then letters, digits, _ or .)";
    return false;
  }
  for (Column& c : columns_) {
    if (c.header != header) continue;
    if (c.name != to_cp1252(c.header) && !c.name.empty()) {
      error = "column " + quoted(header) + " already has the name " + quoted(to_utf8(c.name));
      return false;
    }
    c.name = n;
    return true;
  }
  error = "no column " + quoted(header) + "; the columns are: " + header_list();
  return false;
}

bool ColumnTable::check_unique(std::string& error) const {
  for (std::size_t i = 0; i < columns_.size(); ++i)
    for (std::size_t j = i + 1; j < columns_.size(); ++j)
      if (!columns_[i].name.empty() && columns_[i].name == columns_[j].name) {
        error = "the name " + quoted(to_utf8(columns_[i].name)) + " stands for column " + std::to_string(i + 1) +
                " and column " + std::to_string(j + 1) + " (rename one with --name NAME=COLUMN)";
        return false;
      }
  return true;
}

int ColumnTable::find(const std::string& s) const {
  std::string n = to_cp1252(s);
  for (std::size_t i = 0; i < columns_.size(); ++i)
    if (columns_[i].name == n && !n.empty()) return static_cast<int>(i);
  for (std::size_t i = 0; i < columns_.size(); ++i)
    if (columns_[i].header == s) return static_cast<int>(i);
  return -1;
}

std::string ColumnTable::header_list() const {
  std::string s;
  for (const Column& c : columns_) {
    if (!s.empty()) s += ", ";
    s += c.header;
    if (!c.name.empty() && c.name != to_cp1252(c.header)) s += " (" + to_utf8(c.name) + ")";
  }
  return s;
}

void ColumnTable::install(ctlcalc& calc) {
  g_table = this;
  calc.setfunctions(get_name, nullptr, nullptr);
}

std::int16_t ColumnTable::engine_index(std::size_t column) {
  return static_cast<std::int16_t>(column < kFirstBuiltin ? column : column + kBuiltinCount);
}

std::size_t ColumnTable::column_of(std::int16_t index) {
  return static_cast<std::size_t>(index < kFirstBuiltin ? index : index - kBuiltinCount);
}

bool ColumnTable::is_builtin(std::int16_t index) {
  return index >= kFirstBuiltin && index < kFirstBuiltin + kBuiltinCount;
}

std::int16_t ColumnTable::get_name(const char* name, std::int16_t type) {
  ColumnTable& t = *g_table;
  if (!t.probe_.empty() && t.probe_ == name) return kProbeIndex;
  for (std::size_t i = 0; i < t.columns_.size(); ++i) {
    const Column& c = t.columns_[i];
    if (c.name != name || c.time) continue;
    // A float column is no Boolean; a Boolean may stand where a float does
    // (the engine turns it into 0 or 1).
    if (c.boolean != (type == ctlcalc_boolean)) return -1;
    return engine_index(i);
  }
  t.unknown_.push_back(name);
  return -1;
}

}  // namespace vtcalc
