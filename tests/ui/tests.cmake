# The list-control tests drive the table control component.
if(WIN32)
  target_link_libraries(test_ui PRIVATE veltra_grid)
endif()
