# GoogleTest for both toolchains: Debian's prebuilt library natively, its
# sources for mingw-w64.
if(JP_FUZZ)
  # Fuzz builds have no unit tests.
elseif(JP_WIN)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
  set(JP_GTEST gtest gtest_main)
else()
  find_package(GTest REQUIRED)
  set(JP_GTEST GTest::gtest GTest::gtest_main)
endif()

# jp_add_fuzzer(<name> SOURCES ... [LIBS ...] SEEDS <folder>)
# A libFuzzer program, built only in the fuzz preset. Its ctest entry runs it
# for a bounded time from the seed corpus in the repo; new inputs it finds go
# to a folder in the build tree, never into the repo.
function(jp_add_fuzzer name)
  if(NOT JP_FUZZ)
    return()
  endif()
  cmake_parse_arguments(F "" "SEEDS" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${F_SOURCES})
  target_link_libraries(${name} PRIVATE ${F_LIBS})
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  set(work ${CMAKE_BINARY_DIR}/corpus/${name})
  file(MAKE_DIRECTORY ${work})
  add_test(NAME ${name} COMMAND ${name} -max_total_time=${JP_FUZZ_SECONDS} -print_final_stats=1 ${work} ${F_SEEDS})
  set_tests_properties(${name} PROPERTIES TIMEOUT 600)
endfunction()
set(JP_FUZZ_SECONDS 15 CACHE STRING "How long each fuzzer runs in the tests")

# jp_add_test(<name> SOURCES ... [LIBS ...])
# One executable and one ctest entry per test program. Windows tests run under
# Wine through CMAKE_CROSSCOMPILING_EMULATOR; their XML goes beside them with a
# relative path, which is what gtest under Wine accepts.
function(jp_add_test name)
  if(JP_FUZZ)
    return()
  endif()
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} ${JP_GTEST})
  add_test(NAME ${name} COMMAND ${name} --gtest_output=xml:${name}.xml
           WORKING_DIRECTORY ${JP_BIN_DIR})
  set_tests_properties(${name} PROPERTIES TIMEOUT 300)
endfunction()
