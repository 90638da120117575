# Native unit tests of the core, and on Windows the adapter and end-to-end suites.

if(WIN32 AND EXISTS /usr/src/googletest/CMakeLists.txt)
  # Cross builds take GoogleTest from Debian's sources.
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
  set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  set(QW_GTEST gtest gmock)
else()
  find_package(GTest REQUIRED)
  set(QW_GTEST GTest::gtest GTest::gmock)
endif()

if(NOT WIN32)
  include(GoogleTest)
  file(GLOB QW_UNIT_SOURCES CONFIGURE_DEPENDS tests/unit/*.cpp tests/unit/fakes/*.cpp)
  add_executable(unit_tests ${QW_UNIT_SOURCES})
  target_include_directories(unit_tests PRIVATE tests/unit tests/support)
  target_link_libraries(unit_tests PRIVATE qw_main qw_saver ${QW_GTEST} GTest::gtest_main)
  gtest_discover_tests(unit_tests DISCOVERY_TIMEOUT 60)
else()
  # Every Wine start costs time, so each suite is one test entry. Arguments
  # after the folder go to the suite (a filter of its tests).
  function(qw_wine_suite name dir)
    file(GLOB sources CONFIGURE_DEPENDS ${dir}/*.cpp)
    if(sources)
      add_executable(${name} ${sources})
      target_include_directories(${name} PRIVATE ${dir} ${CMAKE_SOURCE_DIR}/tests/support ${CMAKE_SOURCE_DIR}/tests/unit)
      target_link_libraries(${name} PRIVATE qw_win32_main qw_win32_saver ${QW_GTEST} gtest_main)
      add_test(NAME ${name} COMMAND ${name} --gtest_brief=1 ${ARGN})
      # The suites share the prefix's registry and end each other's programs.
      set_tests_properties(${name} PROPERTIES TIMEOUT 900 RESOURCE_LOCK wine_prefix)
    endif()
  endfunction()
  qw_wine_suite(win32_tests tests/win32)
  # Stand-ins for a mail program, which the mail tests register in the prefix:
  # Outlook's class and a wide Simple MAPI library, and an ANSI-only one.
  foreach(double qwmaildouble qwmapiansi)
    add_library(${double} SHARED tests/win32/doubles/MailDouble.cpp)
    target_include_directories(${double} PRIVATE ${CMAKE_SOURCE_DIR}/src)
    target_link_libraries(${double} PRIVATE oleaut32 ole32 uuid)
    set_target_properties(${double} PROPERTIES PREFIX "" RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
    if(MINGW)
      target_link_options(${double} PRIVATE -Wl,--kill-at)
    endif()
  endforeach()
  target_compile_definitions(qwmapiansi PRIVATE QW_ANSI_ONLY)
  add_dependencies(win32_tests qwmaildouble qwmapiansi)
  target_compile_definitions(win32_tests PRIVATE QW_BIN_DIR="${CMAKE_BINARY_DIR}/bin")

  # Pictures of the controls for people to look at (scripts/shots).
  add_executable(qwshots tools/shots/Shots.cpp)
  target_include_directories(qwshots PRIVATE ${CMAKE_SOURCE_DIR}/tests/support)
  target_link_libraries(qwshots PRIVATE qw_win32_main)
  set_target_properties(qwshots PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
  add_dependencies(qwshots quillwave)  # it pictures the real main window
  if(MINGW)
    target_link_options(qwshots PRIVATE -municode)
  endif()
  # The setup program's tests (Setup.*) live beside the other end-to-end
  # tests and share their harness, but are an entry of their own.
  qw_wine_suite(e2e_tests tests/e2e --gtest_filter=-Setup.*)
  if(TARGET e2e_tests)
    add_dependencies(e2e_tests quillwave quillwavess qwbeam qwmaildouble)
    target_compile_definitions(e2e_tests PRIVATE
      QW_BIN_DIR="${CMAKE_BINARY_DIR}/bin" QW_SOURCE_DIR="${CMAKE_SOURCE_DIR}" QW_SETUP="${QW_SETUP}")
    if(TARGET setup)
      add_dependencies(e2e_tests setup)
    endif()
    add_test(NAME setup_tests COMMAND e2e_tests --gtest_brief=1 --gtest_filter=Setup.*)
    set_tests_properties(setup_tests PROPERTIES TIMEOUT 900 RESOURCE_LOCK wine_prefix)
  endif()
endif()
