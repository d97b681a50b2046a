// The formula engine's error codes and their texts. Code n has the German
// text with string resource kErrorTextBase + n in the library's string
// table; the numbers are part of the interface (geterror, seterror), so
// they never change. Codes the engine does not raise itself exist for
// callers that report their own checks through seterror.
#pragma once

#include <cstdint>

namespace vt::formula {

// String resource of error code n: kErrorTextBase + n.
constexpr unsigned kErrorTextBase = 7200;

enum ErrorCode : std::int16_t {
  kErrNone = 0,              // "Kein Fehler."
  kErrMissingTerm = 1,       // callers
  kErrUnknownName = 2,       // an operand that is no name, call, constant or number
  kErrAssignment = 3,        // callers
  kErrBadConstant = 4,       // a malformed number; replaced by 2 before the parse ends
  kErrAfterQuestion = 5,     // callers
  kErrMissingColon = 6,      // a conditional without ':'
  kErrMissingOperand = 7,    // an operator, branch or function argument without operand
  kErrSyntax = 8,            // text left over, or no terminator in the text buffer
  kErrMissingParen = 9,      // ')' missing
  kErrCallWithoutParen = 10, // a function name not followed by '('; replaced by 2
  kErrTooComplex = 12,       // code too long for the buffer or the stack
  kErrNesting = 14,          // nesting deeper than kMaxNesting
  kErrResultType = 27,       // the result type is not allowed by the type mask
  kErrMissingComma = 28,     // min, max or mod without ',' between the arguments
  kErrNoMemory = 31,         // memory ran out during a compile
  kErrNameTooLong = 32,      // a name or number text longer than the scratch buffer
};

}  // namespace vt::formula
