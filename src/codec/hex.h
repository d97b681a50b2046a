// Hexadecimal text: two digits a byte, high nibble first.
#pragma once

namespace vt::codec {

// Value of one hex digit (0-9, A-F, a-f), or -1 for any other character.
int hex_digit_value(char c);

// The work of StrToHex and HexToStr once their pointers are known non-null.
char* str_to_hex(char* dst, const char* src, int count);
char* hex_to_str(char* dst, const char* src);

}  // namespace vt::codec
