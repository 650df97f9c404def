# GoogleTest for both toolchains: Debian's prebuilt library natively, its
# sources for mingw-w64.
if(JP_WIN)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
  set(JP_GTEST gtest gtest_main)
else()
  find_package(GTest REQUIRED)
  set(JP_GTEST GTest::gtest GTest::gtest_main)
endif()

# jp_add_test(<name> SOURCES ... [LIBS ...])
# One executable and one ctest entry per test program. Windows tests run under
# Wine through CMAKE_CROSSCOMPILING_EMULATOR; their XML goes beside them with a
# relative path, which is what gtest under Wine accepts.
function(jp_add_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} ${JP_GTEST})
  add_test(NAME ${name} COMMAND ${name} --gtest_output=xml:${name}.xml
           WORKING_DIRECTORY ${JP_BIN_DIR})
  set_tests_properties(${name} PROPERTIES TIMEOUT 300)
endfunction()
