# The Windows print tests print through a real printer driver into
# PostScript files; a second step reads them back with ghostscript and
# poppler-utils.
if(WIN32)
  set(print_out ${CMAKE_BINARY_DIR}/print-out)
  set_tests_properties(test_print PROPERTIES
    ENVIRONMENT "VELTRA_PRINT_OUT=${print_out}"
    FIXTURES_SETUP veltra_printed)
  add_test(NAME print_output COMMAND sh ${CMAKE_CURRENT_LIST_DIR}/check_output.sh ${print_out})
  set_tests_properties(print_output PROPERTIES FIXTURES_REQUIRED veltra_printed TIMEOUT 300)
endif()
