# The comparison with nettle runs in the native build only: the Windows
# cross builds have no nettle.
if(NOT WIN32)
  find_package(PkgConfig REQUIRED)
  pkg_check_modules(NETTLE REQUIRED IMPORTED_TARGET nettle)
  target_sources(test_codec PRIVATE ${CMAKE_CURRENT_LIST_DIR}/posix/cipher_peer_test.cpp)
  target_link_libraries(test_codec PRIVATE PkgConfig::NETTLE)
endif()
