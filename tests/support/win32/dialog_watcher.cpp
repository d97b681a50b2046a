#include "support/win32/dialog_watcher.h"

#include <dlgs.h>

#include <algorithm>
#include <chrono>
#include <map>

namespace vt::test {

namespace {

// How often the watcher looks for new dialogs.
constexpr DWORD kPollMs = 15;
// How long a dialog must have been visible before it is read: a common
// dialog fills some of its controls after it first shows.
constexpr DWORD kSettleMs = 120;
// Upper bound for a cross-thread message to a dialog's control; a dialog
// whose thread does not answer in this time is read as far as it answered.
constexpr UINT kSendTimeoutMs = 2000;
// Longest text read from a control (the common dialog's lists are short).
constexpr int kTextMax = 4096;
// The id of a message box's text control.
constexpr int kMessageTextId = 0xFFFF;

const char kDialogClass[] = "#32770";

bool is_dialog_of_this_process(HWND w) {
  char cls[64] = "";
  GetClassNameA(w, cls, sizeof cls);
  if (strcmp(cls, kDialogClass) != 0) return false;
  DWORD pid = 0;
  GetWindowThreadProcessId(w, &pid);
  return pid == GetCurrentProcessId();
}

BOOL CALLBACK collect_dialog(HWND w, LPARAM out) {
  if (is_dialog_of_this_process(w)) reinterpret_cast<std::vector<HWND>*>(out)->push_back(w);
  return TRUE;
}

std::vector<HWND> dialogs_now() {
  std::vector<HWND> v;
  EnumWindows(collect_dialog, reinterpret_cast<LPARAM>(&v));
  return v;
}

// Sends a message to a window of another thread without risking a hang.
LRESULT send(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
  DWORD_PTR r = 0;
  if (!SendMessageTimeoutA(w, msg, wp, lp, SMTO_NORMAL, kSendTimeoutMs, &r)) return -1;
  return static_cast<LRESULT>(r);
}

std::string window_text(HWND w) {
  std::vector<char> buf(kTextMax + 1, '\0');
  send(w, WM_GETTEXT, buf.size(), reinterpret_cast<LPARAM>(buf.data()));
  buf.back() = '\0';
  return buf.data();
}

std::vector<std::string> box_items(HWND w, const char* cls) {
  bool combo = _stricmp(cls, "ComboBox") == 0 || _stricmp(cls, "ComboBoxEx32") == 0;
  bool list = _stricmp(cls, "ListBox") == 0 || _stricmp(cls, "ComboLBox") == 0;
  std::vector<std::string> items;
  if (!combo && !list) return items;
  UINT count_msg = combo ? CB_GETCOUNT : LB_GETCOUNT;
  UINT len_msg = combo ? CB_GETLBTEXTLEN : LB_GETTEXTLEN;
  UINT text_msg = combo ? CB_GETLBTEXT : LB_GETTEXT;
  LRESULT n = send(w, count_msg, 0, 0);
  for (LRESULT i = 0; i < n; ++i) {
    LRESULT len = send(w, len_msg, i, 0);
    if (len < 0 || len > kTextMax) {
      items.emplace_back();
      continue;
    }
    std::vector<char> buf(len + 1, '\0');
    send(w, text_msg, i, reinterpret_cast<LPARAM>(buf.data()));
    buf.back() = '\0';
    items.emplace_back(buf.data());
  }
  return items;
}

BOOL CALLBACK read_control(HWND w, LPARAM out) {
  auto* d = reinterpret_cast<SeenDialog*>(out);
  DialogControl c;
  char cls[64] = "";
  GetClassNameA(w, cls, sizeof cls);
  c.cls = cls;
  c.id = GetDlgCtrlID(w);
  c.style = static_cast<DWORD>(GetWindowLongPtrA(w, GWL_STYLE));
  c.visible = IsWindowVisible(w) != FALSE;
  c.text = window_text(w);
  c.items = box_items(w, cls);
  if (_stricmp(cls, "Static") == 0 && (c.style & SS_TYPEMASK) == SS_ICON && !d->icon)
    d->icon = reinterpret_cast<HICON>(send(w, STM_GETICON, 0, 0));
  d->controls.push_back(std::move(c));
  return TRUE;
}

// The file-name field of a common file dialog: the combo box of the
// Explorer-style dialog, or the edit field of the older layout.
HWND file_name_field(HWND dialog) {
  for (int id : {cmb13, edt1}) {
    HWND w = GetDlgItem(dialog, id);
    if (w) return w;
  }
  return nullptr;
}

void act(HWND dialog, const DialogAction& a) {
  switch (a.kind) {
    case DialogAction::kLeave:
      return;
    case DialogAction::kFileName:
      if (HWND f = file_name_field(dialog))
        send(f, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(a.file.c_str()));
      [[fallthrough]];
    case DialogAction::kPress:
      PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(a.button, BN_CLICKED),
                   reinterpret_cast<LPARAM>(GetDlgItem(dialog, a.button)));
      return;
  }
}

}  // namespace

const DialogControl* SeenDialog::control(int id) const {
  for (const DialogControl& c : controls)
    if (c.id == id) return &c;
  return nullptr;
}

std::string SeenDialog::message() const {
  const DialogControl* c = control(kMessageTextId);
  return c ? c->text : std::string();
}

unsigned SeenDialog::icon_flag() const {
  if (!icon) return 0;
  static const std::pair<LPCSTR, unsigned> kIcons[] = {
      {IDI_HAND, MB_ICONHAND},
      {IDI_QUESTION, MB_ICONQUESTION},
      {IDI_EXCLAMATION, MB_ICONEXCLAMATION},
      {IDI_ASTERISK, MB_ICONASTERISK},
  };
  for (const auto& [res, flag] : kIcons)
    if (LoadIconA(nullptr, res) == icon) return flag;
  return 0;
}

SeenDialog read_dialog(HWND dialog) {
  SeenDialog d;
  d.hwnd = dialog;
  d.owner = GetWindow(dialog, GW_OWNER);
  d.caption = window_text(dialog);
  EnumChildWindows(dialog, read_control, reinterpret_cast<LPARAM>(&d));
  return d;
}

DialogWatcher::DialogWatcher(DialogAction action)
    : DialogWatcher(Responder([action](const SeenDialog&) { return action; })) {}

DialogWatcher::DialogWatcher(Responder responder)
    : responder_(std::move(responder)), known_(dialogs_now()) {
  thread_ = std::thread([this] { run(); });
}

DialogWatcher::~DialogWatcher() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stop_ = true;
  }
  changed_.notify_all();
  thread_.join();
}

void DialogWatcher::run() {
  std::map<HWND, DWORD> visible_since;
  for (;;) {
    {
      std::unique_lock<std::mutex> lock(mutex_);
      if (changed_.wait_for(lock, std::chrono::milliseconds(kPollMs), [this] { return stop_; }))
        return;
    }
    for (HWND w : dialogs_now()) {
      // A dialog under a modal one of its own is disabled: wait for it.
      if (std::find(known_.begin(), known_.end(), w) != known_.end() || !IsWindowVisible(w) ||
          !IsWindowEnabled(w)) {
        visible_since.erase(w);
        continue;
      }
      auto it = visible_since.emplace(w, GetTickCount()).first;
      if (GetTickCount() - it->second < kSettleMs) continue;
      visible_since.erase(it);
      known_.push_back(w);
      handle(w);
    }
  }
}

void DialogWatcher::handle(HWND dialog) {
  SeenDialog d = read_dialog(dialog);
  DialogAction a = responder_(d);
  if (a.revisit_owner && d.owner)
    known_.erase(std::remove(known_.begin(), known_.end(), d.owner), known_.end());
  act(dialog, a);
  {
    std::lock_guard<std::mutex> lock(mutex_);
    seen_.push_back(std::move(d));
  }
  changed_.notify_all();
}

bool DialogWatcher::wait_for(size_t n, unsigned timeout_ms) {
  std::unique_lock<std::mutex> lock(mutex_);
  return changed_.wait_for(lock, std::chrono::milliseconds(timeout_ms),
                           [&] { return seen_.size() >= n; });
}

std::vector<SeenDialog> DialogWatcher::seen() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return seen_;
}

size_t DialogWatcher::count() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return seen_.size();
}

}  // namespace vt::test
