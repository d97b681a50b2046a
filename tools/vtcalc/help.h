// The text of vtcalc --help.
#pragma once

namespace vtcalc {

extern const char kHelp[];

}  // namespace vtcalc
