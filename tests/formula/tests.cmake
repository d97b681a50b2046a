# The formula tool on the bundled example data: a known row with its
# results (3.49 bar * 49.1 m3/h / 36 = 4.75997 kW), and a formula that does
# not compile, reported with its German text and exit status 2.
if(TARGET vtcalc)
  set(example ${PROJECT_SOURCE_DIR}/examples/pumpe.csv)
  add_test(NAME vtcalc_example_row
    COMMAND vtcalc --bool pumpe_ein,stoerung ${example} "druck * durchfluss / 36" "pumpe_ein und nicht stoerung")
  set_tests_properties(vtcalc_example_row PROPERTIES
    PASS_REGULAR_EXPRESSION "17\\.05\\.2024 06:30:00;73,8;3,49;49,1;ein;0;4,75997;1")
  add_test(NAME vtcalc_reports_bad_formula
    COMMAND vtcalc --bool pumpe_ein,stoerung ${example} "druck * (durchfluss + ")
  set_tests_properties(vtcalc_reports_bad_formula PROPERTIES WILL_FAIL TRUE)
  add_test(NAME vtcalc_bad_formula_text
    COMMAND vtcalc ${example} "druck +")
  set_tests_properties(vtcalc_bad_formula_text PROPERTIES
    PASS_REGULAR_EXPRESSION "Operand vermisst\\. \\(error 7\\)")
endif()

# The time column: epoch seconds (checked against `date -u`) and time texts
# written back in the default notation dd.mm.yyyy under a zone without
# daylight time, whatever the machine's locale (on Windows a US one, whose
# dates are month first). Bad time cells are cases of vtcalc_bad_input.
if(TARGET vtcalc)
  set(times ${CMAKE_CURRENT_LIST_DIR}/data/vtcalc_times.csv)
  set(time_env TZ=UTC0)
  if(WIN32)
    list(APPEND time_env LANG=en_US.UTF-8 LC_ALL=en_US.UTF-8 LOCPATH=${veltra_locales})
  endif()
  add_test(NAME vtcalc_time_column COMMAND vtcalc --time zeit ${times} wert)
  set_tests_properties(vtcalc_time_column PROPERTIES ENVIRONMENT "${time_env}" PASS_REGULAR_EXPRESSION
    "17\\.05\\.2024 12:30:45,1,1\r?\n01\\.01\\.1970 00:00:00,2,2\r?\n31\\.12\\.2099 23:59:59,3,3\r?\n17\\.05\\.2024 12:30:45\\.000,4,4\r?\n17\\.05\\.2024 12:30:00,5,5\r?\n")
  add_test(NAME vtcalc_time_is_no_signal COMMAND vtcalc --time zeit ${times} "zeit + 1")
  set_tests_properties(vtcalc_time_is_no_signal PROPERTIES PASS_REGULAR_EXPRESSION "Unbekannter Bezeichner")
  if(WIN32)
    set_tests_properties(vtcalc_time_column PROPERTIES FIXTURES_REQUIRED veltra_locales)
  endif()
endif()

# ISO 8601 times, read with --date iso and with the pattern a user writes
# first, under a zone whose daylight time runs from the first Sunday of
# April to the last Sunday of October (the library's rules for a "TZ"
# without dates). Each row is written back with the zone's offset; the
# expected texts are GNU date's for the same instants in that zone. Row 6
# is the hour repeated when daylight time ends, which reads as standard
# time (the second of the two); row 7 names the first with its offset.
if(TARGET vtcalc)
  set(iso ${CMAKE_CURRENT_LIST_DIR}/data/vtcalc_iso.csv)
  set(iso_expected "zeit,wert,wert\r?\n"
    "2024-05-17T08:30:00\\+02:00,1,1\r?\n"
    "2024-05-17T06:30:00\\.250\\+02:00,2,2\r?\n"
    "2024-05-17T14:00:00\\+02:00,3,3\r?\n"
    "2024-01-15T12:00:00\\+01:00,4,4\r?\n"
    "2024-05-18T00:00:00\\+02:00,5,5\r?\n"
    "2024-10-27T01:30:00\\+01:00,6,6\r?\n"
    "2024-10-27T01:30:00\\+02:00,7,7\r?\n"
    "2024-05-17T14:30:45\\+02:00,8,8\r?\n"
    "1970-01-01T02:00:00\\+01:00,9,9\r?\n"
    "2100-01-01T00:59:59\\+01:00,10,10\r?\n"
    "2024-05-17T08:30:00\\.500\\+02:00,11,11\r?\n"
    "2024-05-17T08:31:00\\.000\\+02:00,12,12\r?\n$")
  string(CONCAT iso_expected ${iso_expected})
  foreach(pattern iso "yyyy-mm-ddThh:mm:ss")
    string(MAKE_C_IDENTIFIER "vtcalc_iso_${pattern}" name)
    add_test(NAME ${name} COMMAND vtcalc --date ${pattern} --time zeit ${iso} wert)
    set_tests_properties(${name} PROPERTIES ENVIRONMENT TZ=CET-1CEST PASS_REGULAR_EXPRESSION "${iso_expected}")
  endforeach()
endif()

# Bad input, one case a row (tests/formula/vtcalc_bad_input.sh): ragged rows,
# an output that is the input, dates, names, decimal marks, quotes, junk,
# empty and header-only files, a full device, masks that overflow.
if(TARGET vtcalc)
  add_test(NAME vtcalc_bad_input
    COMMAND sh ${CMAKE_CURRENT_LIST_DIR}/vtcalc_bad_input.sh ${CMAKE_CURRENT_BINARY_DIR}/vtcalc_bad_input
            ${CMAKE_CROSSCOMPILING_EMULATOR} $<TARGET_FILE:vtcalc>)
  set_tests_properties(vtcalc_bad_input PROPERTIES ENVIRONMENT TZ=UTC0 TIMEOUT 600)
endif()

# The demo's trend chart rendered by rsvg-convert; the PNG stays as
# vtcalc_plot/pumpe.png in the build folder.
if(TARGET vtcalc AND NOT WIN32)
  add_test(NAME vtcalc_plot
    COMMAND sh ${CMAKE_CURRENT_LIST_DIR}/vtcalc_plot.sh ${CMAKE_CURRENT_BINARY_DIR}/vtcalc_plot $<TARGET_FILE:vtcalc>)
  set_tests_properties(vtcalc_plot PROPERTIES ENVIRONMENT TZ=UTC0)
endif()
