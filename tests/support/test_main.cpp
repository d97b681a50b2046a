// Entry point of every test program: brings the library into the state a
// process has after loading it (module handle, locale, bound services), then
// runs the tests.
#include <gtest/gtest.h>

#include "frame/attach.h"

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  vt::frame::attach_for_tests();
  int rc = RUN_ALL_TESTS();
  vt::frame::detach_for_tests();
  return rc;
}
