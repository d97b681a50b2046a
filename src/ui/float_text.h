// The text form of numbers in dialog edit items.
#pragma once

namespace vt::ui {

// Room for an item's number text, terminator included: longer texts are
// neither written nor read.
constexpr int kFloatTextSize = 80;

// Writes `value` as "%G" (a point as decimal separator) into buf, which has
// kFloatTextSize bytes. Returns false, leaving buf's content unspecified,
// when the text would need kFloatTextSize or more characters.
bool format_item_float(double value, char* buf);

// Reads `text` as a number: a comma or a point as decimal separator (the
// first comma counts as a point), leading white space allowed, nothing after
// the number. Only the first kFloatTextSize - 1 characters are looked at.
// Stores the value and returns true; returns false, leaving *value alone,
// otherwise.
bool parse_item_float(const char* text, double* value);

}  // namespace vt::ui
