# ScanFloat under a German and a US user locale (the locales are compiled by
# the frame's fixture veltra_locales).
if(WIN32)
  foreach(pair "de;de_DE" "us;en_US")
    list(GET pair 0 short)
    list(GET pair 1 locale)
    add_test(NAME test_format_${short} COMMAND test_format --gtest_color=no --gtest_filter=LocaleScan.*)
    set_tests_properties(test_format_${short} PROPERTIES TIMEOUT 300
      FIXTURES_REQUIRED veltra_locales
      ENVIRONMENT "LANG=${locale}.UTF-8;LC_ALL=${locale}.UTF-8;LOCPATH=${PROJECT_SOURCE_DIR}/build/locales;VELTRA_EXPECT_LOCALE=${short}")
  endforeach()
endif()
