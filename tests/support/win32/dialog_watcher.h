// A test helper that answers the dialogs the code under test opens.
//
// A DialogWatcher runs a second thread that looks, every few milliseconds,
// for new visible and enabled dialog windows (class "#32770": message boxes, common
// dialogs, dialogs from templates) of this process, on any of its threads.
// Each new dialog is read once — caption, every control with its id, class,
// text and style, the items of list and combo boxes, the message-box icon —
// and then answered with the action the responder picks for it: press a
// button, type a file name and confirm, or leave it alone.
//
// Dialogs that were already open when the watcher started are ignored, so a
// test may create its own dialog first and then start a watcher for the
// message boxes that the code under test shows on top of it.
//
//   vt::test::DialogWatcher w(vt::test::DialogAction::press(IDOK));
//   MessageFMTBox(nullptr, 323, MB_ICONEXCLAMATION, "a.chm", "#1");
//   ASSERT_TRUE(w.wait_for(1));
//   EXPECT_EQ(w.seen()[0].caption, "Meldung");
//   EXPECT_EQ(w.seen()[0].message(), "...");
#pragma once

#include <windows.h>

#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace vt::test {

// One control of a dialog as the watcher read it. `text` is the window text
// (for an edit or combo box: what it holds); `items` the entries of a list or
// combo box (empty for other classes).
struct DialogControl {
  int id = 0;
  std::string cls;  // window class, as GetClassNameA reports it
  std::string text;
  DWORD style = 0;
  bool visible = false;
  std::vector<std::string> items;
};

struct SeenDialog {
  HWND hwnd = nullptr;   // no longer valid once the dialog is answered
  HWND owner = nullptr;  // the window that owns the dialog, if any
  std::string caption;
  std::vector<DialogControl> controls;  // all descendants, in z-order
  HICON icon = nullptr;                 // the icon of a message box, if any

  // The control with this id (the first of several), or null.
  const DialogControl* control(int id) const;
  // A message box's text (its static control 0xFFFF); empty for other dialogs.
  std::string message() const;
  // The MB_ICON... flag of a message box's icon (MB_ICONHAND,
  // MB_ICONQUESTION, MB_ICONEXCLAMATION, MB_ICONASTERISK), 0 when none.
  unsigned icon_flag() const;
};

// What to do with a dialog once it has been read.
struct DialogAction {
  enum Kind { kPress, kFileName, kLeave };
  Kind kind = kPress;
  int button = IDCANCEL;
  std::string file;
  bool revisit_owner = false;

  // Send the dialog a click of button `id` (IDOK, IDCANCEL, IDYES, ...).
  static DialogAction press(int id) { return {kPress, id, {}}; }
  // A file dialog: put `name` into its file-name field, then press OK.
  static DialogAction file_name(std::string name) { return {kFileName, IDOK, std::move(name)}; }
  // Only record the dialog; the test or the code under test closes it.
  static DialogAction leave() { return {kLeave, 0, {}}; }
  // The same action; afterwards the dialog's owner (say the file dialog
  // under a warning) counts as new again and is answered once more when it
  // is enabled again.
  DialogAction and_revisit_owner() const {
    DialogAction a = *this;
    a.revisit_owner = true;
    return a;
  }
};

class DialogWatcher {
 public:
  using Responder = std::function<DialogAction(const SeenDialog&)>;

  // Answers every new dialog with the same action.
  explicit DialogWatcher(DialogAction action = DialogAction::press(IDCANCEL));
  // Lets a function choose the answer from what was read.
  explicit DialogWatcher(Responder responder);
  ~DialogWatcher();

  DialogWatcher(const DialogWatcher&) = delete;
  DialogWatcher& operator=(const DialogWatcher&) = delete;

  // Waits until at least n dialogs have been read and answered; false when
  // the timeout passed first.
  bool wait_for(size_t n, unsigned timeout_ms = 10000);
  // The dialogs seen so far, oldest first.
  std::vector<SeenDialog> seen() const;
  size_t count() const;

 private:
  void run();
  void handle(HWND dialog);

  Responder responder_;
  std::vector<HWND> known_;  // dialogs already open or already answered
  mutable std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<SeenDialog> seen_;
  bool stop_ = false;
  std::thread thread_;
};

// Reads a dialog as the watcher does (usable on a test's own dialogs).
SeenDialog read_dialog(HWND dialog);

}  // namespace vt::test
