// The tool's messages: every one goes to standard error behind the one
// prefix "vtcalc: ", on a line of its own.
#pragma once

namespace vtcalc {

void report(const char* format, ...) __attribute__((format(gnu_printf, 1, 2)));

// "vtcalc: line 7, column zeit: ..." (without a column for the whole row).
void report_at(unsigned long line, const char* column, const char* format, ...)
    __attribute__((format(gnu_printf, 3, 4)));

}  // namespace vtcalc
