#include "ui/help_places.h"

#include <cstdio>
#include <cstring>

namespace vt::ui {

namespace {

// Classic help command codes and the HTML Help commands they map to.
constexpr unsigned kHelpContext = 1;
constexpr unsigned kHelpQuit = 2;
constexpr unsigned kHelpIndex = 3;
constexpr unsigned kHelpContextPopup = 8;
constexpr unsigned kHelpKey = 0x101;
constexpr unsigned kHhDisplayTopic = 0x0000;
constexpr unsigned kHhKeywordLookup = 0x000D;
constexpr unsigned kHhHelpContext = 0x000F;
// Context data that asks for nothing to be shown.
constexpr unsigned long kNoContext = 0xFFFFFFFFul;

std::string folder_of(const std::string& path) {
  size_t slash = path.rfind('\\');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

}  // namespace

std::vector<std::string> help_places(const std::string& program, const std::string& library,
                                     const std::string& name) {
  const std::string p = folder_of(program), l = folder_of(library);
  return {p + "Help\\" + name, p + name, l + name, l + "..\\" + name, l + "..\\Help\\" + name};
}

bool is_classic_help(const char* name) {
  return name && (strstr(name, ".hlp") || strstr(name, ".HLP"));
}

HtmlRequest plan_html_help(unsigned command, unsigned long data, const char* keyword) {
  HtmlRequest r;
  char topic[32];
  snprintf(topic, sizeof topic, "#%lu", data & kNoContext);
  r.topic = topic;
  switch (command) {
    case kHelpContext:
    case kHelpContextPopup:
      if ((data & kNoContext) == kNoContext) {
        r.outcome = HtmlRequest::kDone;
      } else {
        r.outcome = HtmlRequest::kCall;
        r.command = data ? kHhHelpContext : kHhDisplayTopic;
        r.data = data;
      }
      break;
    case kHelpIndex:
      r.outcome = HtmlRequest::kCall;
      r.command = kHhDisplayTopic;
      break;
    case kHelpQuit:
      r.outcome = HtmlRequest::kDone;  // HTML Help windows close themselves
      break;
    case kHelpKey:
      if (!keyword) break;
      r.outcome = HtmlRequest::kCall;
      r.command = kHhKeywordLookup;
      r.keyword = true;
      r.topic = std::string(keyword).substr(0, kHelpTopicMax);
      break;
    default:
      break;
  }
  return r;
}

std::string help_file_for_message(const std::string& path) {
  std::string file = path.substr(0, path.find('>'));
  size_t slash = file.rfind('\\');
  return slash == std::string::npos ? file : file.substr(slash + 1);
}

}  // namespace vt::ui
