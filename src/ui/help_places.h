// Where context help looks for its file and what it asks the help engines.
#pragma once

#include <string>
#include <vector>

namespace vt::ui {

// The help file of the control modules when the caller names none.
constexpr const char* kDefaultHelpFile = "dll.chm";
// The longest keyword or topic text shown in the help error message.
constexpr size_t kHelpTopicMax = 79;

// The places a help file `name` is looked for, in order: beside the program
// (in "Help\" and then directly), beside the library, and in the library's
// parent folder (directly, then in "Help\"). A folder is a module path up to
// and including its last backslash (empty without one).
std::vector<std::string> help_places(const std::string& program, const std::string& library,
                                     const std::string& name);

// True for names that the classic help engine opens: those containing the
// extension in one of its two exact spellings, ".hlp" or ".HLP".
bool is_classic_help(const char* name);

// What an HTML Help request of a classic help command turns into.
struct HtmlRequest {
  enum Outcome { kCall, kDone, kRefused };  // call HtmlHelp; return 1 at once; return 0
  Outcome outcome = kRefused;
  unsigned command = 0;  // HH_... command for kCall
  bool keyword = false;  // the data is a keyword lookup of the caller's text
  unsigned long data = 0;
  std::string topic;  // how the error message names the topic
};
HtmlRequest plan_html_help(unsigned command, unsigned long data, const char* keyword);

// The help file's name as the error message shows it: without a window name
// after ">" and without its folder.
std::string help_file_for_message(const std::string& path);

}  // namespace vt::ui
