// Reading a caller's text-or-id field: none, a string id of a module, or the
// address of a text that may not be readable.
#pragma once

#include <windows.h>

#include <string>

namespace vt::config {

// The field's text, at most kTextOrIdChars characters; empty for none, a
// missing string or an address that cannot be read.
std::string text_or_id(HINSTANCE module, const char* field);

}  // namespace vt::config
