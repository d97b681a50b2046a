// The formulas of the command line: each becomes a result column with its
// name and its format mask, compiled by the engine over the input's columns.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "columns.h"
#include "result_text.h"
#include "veltra/ctlcalc.h"

namespace vtcalc {

// Longest formula text: the text buffer holds 4095 bytes and the end.
constexpr std::uint32_t kTextSize = 4096;
// Code records per formula: more than the longest text can need.
constexpr std::uint32_t kCodeEntries = 4096;

struct FormulaSpec {
  std::string name;  // the result column's header (UTF-8)
  std::string text;  // the formula (UTF-8)
  ResultFormat format;
};

// "NAME=FORMULA" names the result column; a formula alone is its own name.
// An "=" that is part of "==", "<=", ">=" or "!=" names nothing.
FormulaSpec split_named_formula(const std::string& arg);

struct Formula {
  FormulaSpec spec;
  std::vector<char> text = std::vector<char>(kTextSize);
  std::vector<codeentry> code = std::vector<codeentry>(kCodeEntries);
  ctlcalc calc{text.data(), code.data(), kTextSize, kCodeEntries};
};

// Compiles every formula over the columns; reports each that fails (the
// engine's text, a caret under the error position, and the name it did not
// know with the list of columns) on stderr. Marks the columns the formulas
// read as used. False when any failed.
bool compile_formulas(std::vector<Formula>& formulas, ColumnTable& columns);

}  // namespace vtcalc
