// What the registry item dialog accepts and shows, apart from the registry
// itself: the range rule, the check of an edited value, and the texts of the
// range column and the info line.
#pragma once

#include <cstddef>
#include <cstdint>

namespace vt::config {

// Value types the dialog handles (the registry's own codes).
constexpr std::uint32_t kTypeString = 1;  // REG_SZ
constexpr std::uint32_t kTypeNumber = 4;  // REG_DWORD

// Longest string value accepted when the item has no range.
constexpr std::size_t kMaxStringValueChars = 260;
// Texts read through the text-or-id convention are cut here.
constexpr std::size_t kTextOrIdChars = 159;
// Every text the dialog builds (range, info line) fits in this many bytes.
constexpr std::size_t kRuleTextBytes = 320;

// Predefined root keys as their 32-bit codes.
constexpr std::uint32_t kRootCurrentUser = 0x80000001u;
constexpr std::uint32_t kRootLocalMachine = 0x80000002u;
constexpr std::uint32_t kRootUsers = 0x80000003u;
constexpr std::uint32_t kRootCurrentConfig = 0x80000005u;

// A range is in force only when maximum > minimum.
inline bool range_in_force(std::int32_t minimum, std::int32_t maximum) { return maximum > minimum; }

// Checks an edited text for an item. A string is accepted when its length
// is below 261 characters, or, with a range, when its length lies within
// it. A number is accepted when strtol uses at least one character, and,
// with a range, when the number lies within it; the number goes to *number.
// Other types and a null text are refused.
bool accept_edit(const char* text, std::uint32_t type, std::int32_t minimum, std::int32_t maximum,
                 std::int32_t* number);

// The range column: "min...max" when a range is in force, else "-".
void range_text(char* buf, std::size_t size, std::int32_t minimum, std::int32_t maximum);

// "HKLM", "HKCU", "HKUS", "HKCC" or "?UNKNOWN?".
const char* root_abbreviation(std::uint32_t root);
// "REG_SZ", "REG_DWORD" or "?UNKNOWN?".
const char* type_name(std::uint32_t type);

// The info line for a selected cell: column 0 "ROOT\path: name", column 1
// the type name and " (min...max)" when a range is in force, anything else
// empty. Null texts count as empty.
void info_line_text(char* buf, std::size_t size, int column, std::uint32_t root, const char* key_path,
                    const char* value_name, std::uint32_t type, std::int32_t minimum,
                    std::int32_t maximum);

// How a text-or-id field is read: 0 and 0xFFFFFFFF are none, values below
// 0x10000 string ids, anything else the address of a text.
enum class TextOrId { none, string_id, address };
TextOrId classify_text_or_id(std::uintptr_t value);

}  // namespace vt::config
