# The formula tool on the bundled example data: a known row with its
# results (3.49 bar * 49.1 m3/h / 36 = 4.75997 kW), and a formula that does
# not compile, reported with its German text and exit status 2.
if(TARGET vtcalc)
  set(example ${PROJECT_SOURCE_DIR}/examples/pumpe.csv)
  add_test(NAME vtcalc_example_row
    COMMAND vtcalc --bool pumpe_ein,stoerung ${example} "druck * durchfluss / 36" "pumpe_ein und nicht stoerung")
  set_tests_properties(vtcalc_example_row PROPERTIES
    PASS_REGULAR_EXPRESSION "1800;73,8;3,49;49,1;ein;0;4,75997;1")
  add_test(NAME vtcalc_reports_bad_formula
    COMMAND vtcalc --bool pumpe_ein,stoerung ${example} "druck * (durchfluss + ")
  set_tests_properties(vtcalc_reports_bad_formula PROPERTIES WILL_FAIL TRUE)
  add_test(NAME vtcalc_bad_formula_text
    COMMAND vtcalc ${example} "druck +")
  set_tests_properties(vtcalc_bad_formula_text PROPERTIES
    PASS_REGULAR_EXPRESSION "Operand vermisst\\. \\(error 7\\)")
endif()
