// Handing text to the clipboard.
#pragma once

#include <windows.h>

#include <string>

namespace vt::ui {

// Extra zero bytes after the text in a clipboard block.
constexpr std::size_t kClipboardSlack = 16;

// A movable, zero-filled global block holding text and kClipboardSlack
// zero bytes; null when memory runs out.
HGLOBAL make_text_block(const std::string& text);

// With the clipboard open: empties it and hands the block over as CF_TEXT.
// On failure the block is released. True on success.
bool hand_over_text(HGLOBAL block);

}  // namespace vt::ui
