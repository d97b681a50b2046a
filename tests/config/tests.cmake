# The registry dialog's tests drive the table control component.
if(WIN32)
  target_link_libraries(test_config PRIVATE veltra_grid)
endif()
