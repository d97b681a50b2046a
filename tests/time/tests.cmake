# The system-zone path once more under two zones with daylight time: wine
# hands TZ to the Windows side as the system zone, and the tests remove it
# from the process environment before the library reads it.
if(WIN32)
  foreach(zone Europe/Berlin America/New_York)
    string(REPLACE "/" "_" suffix ${zone})
    add_test(NAME test_time_system_${suffix} COMMAND test_time --gtest_color=no
      --gtest_filter=SystemZone.*:Clock.TimeIsTheCLibrarysWithTheSystemZone)
    set_tests_properties(test_time_system_${suffix} PROPERTIES ENVIRONMENT TZ=${zone} TIMEOUT 300)
  endforeach()
endif()
