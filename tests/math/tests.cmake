# The native tests hold the math functions against MPFR.
if(NOT WIN32)
  find_library(VELTRA_TEST_MPFR mpfr REQUIRED)
  find_library(VELTRA_TEST_GMP gmp REQUIRED)
  target_link_libraries(${t} PRIVATE ${VELTRA_TEST_MPFR} ${VELTRA_TEST_GMP})
endif()
