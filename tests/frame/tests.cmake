# The frame's test program once more under a German and a US user locale.
# Wine takes the user locale from LANG; the locales are compiled into the
# build tree (scripts/wine-env.sh does the same for interactive runs).
if(WIN32)
  set(locales ${PROJECT_SOURCE_DIR}/build/locales)
  add_test(NAME frame_locales_compiled
    COMMAND sh -c "mkdir -p '${locales}' && for l in de_DE en_US; do [ -d '${locales}/'$l.UTF-8 ] || localedef -i $l -f UTF-8 '${locales}/'$l.UTF-8 || exit 1; done")
  set_tests_properties(frame_locales_compiled PROPERTIES FIXTURES_SETUP veltra_locales)
  foreach(pair "de;de_DE" "us;en_US")
    list(GET pair 0 short)
    list(GET pair 1 locale)
    add_test(NAME test_frame_${short} COMMAND test_frame --gtest_color=no --gtest_filter=Attach.*)
    set_tests_properties(test_frame_${short} PROPERTIES TIMEOUT 300
      FIXTURES_REQUIRED veltra_locales
      ENVIRONMENT "LANG=${locale}.UTF-8;LC_ALL=${locale}.UTF-8;LOCPATH=${locales};VELTRA_EXPECT_LOCALE=${short}")
  endforeach()
endif()

# The frame's tests also load the built DLL itself, to see its entry point
# and its own resources at work.
if(WIN32)
  add_dependencies(test_frame veltra)
  target_compile_definitions(test_frame PRIVATE VELTRA_DLL_PATH="$<TARGET_FILE:veltra>")
endif()
