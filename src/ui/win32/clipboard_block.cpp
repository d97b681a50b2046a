#include "ui/win32/clipboard_block.h"

#include <cstring>

namespace vt::ui {

HGLOBAL make_text_block(const std::string& text) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, text.size() + kClipboardSlack);
  if (!block) return nullptr;
  void* p = GlobalLock(block);
  if (!p) {
    GlobalFree(block);
    return nullptr;
  }
  std::memcpy(p, text.data(), text.size());
  GlobalUnlock(block);
  return block;
}

bool hand_over_text(HGLOBAL block) {
  EmptyClipboard();
  if (SetClipboardData(CF_TEXT, block)) return true;
  GlobalFree(block);
  return false;
}

}  // namespace vt::ui
