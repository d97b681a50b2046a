// Platform seam: letter folding and classification of the ANSI code page
// (code page 1252), as the system's user interface answers them.
#pragma once

namespace vt::port {

// The lower-case form of byte c as CharLowerA gives it (umlauts and the
// other letters of the code page included); other bytes unchanged.
unsigned char char_lower(unsigned char c);

// True for the bytes that IsCharAlphaNumericA calls letters or digits.
bool char_is_alnum(unsigned char c);

}  // namespace vt::port
