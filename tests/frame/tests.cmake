# The locale state read at load, under a German and a US user locale.
veltra_add_locale_runs(test_frame)

# The frame's tests also load the built DLL itself, to see its entry point
# and its own resources at work.
if(WIN32)
  add_dependencies(test_frame veltra)
  target_compile_definitions(test_frame PRIVATE VELTRA_DLL_PATH="$<TARGET_FILE:veltra>")
endif()
