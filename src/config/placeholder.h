// Path placeholders: the work of ReduceFileName and ExpandFileName with the
// executable's file name passed in, so that it can be exercised with any
// installation folder.
#pragma once

namespace vt::config {

int reduce_file_name(char* name, const char* project, const char* executable);
int expand_file_name(char* out, const char* name, const char* project,
                     const char* executable);

}  // namespace vt::config
