# Build conventions shared by every folder: one library per src/ folder, one
# test program per tests/ folder, warnings as errors on our own code.

set(TESSARY_WARNINGS -Wall -Wextra -Werror)

# tessary_library(NAME [DEPENDS lib...]) builds src/NAME/*.cpp into a static library.
function(tessary_library name)
  cmake_parse_arguments(ARG "" "" "DEPENDS" ${ARGN})
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_compile_options(${name} PRIVATE ${TESSARY_WARNINGS})
  target_link_libraries(${name} PUBLIC ${ARG_DEPENDS})
endfunction()

# tessary_tests(NAME [DEPENDS lib...]) builds tests/NAME/*.cpp into NAME_tests and
# registers each GoogleTest case with CTest. Discovery runs before the tests, not at
# build time, so a sanitizer build never runs a binary while compiling.
function(tessary_tests name)
  cmake_parse_arguments(ARG "" "" "DEPENDS" ${ARGN})
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  add_executable(${name}_tests ${sources})
  target_compile_options(${name}_tests PRIVATE ${TESSARY_WARNINGS})
  target_include_directories(${name}_tests PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  target_link_libraries(${name}_tests PRIVATE ${ARG_DEPENDS} test_support GTest::gtest_main GTest::gmock)
  gtest_discover_tests(${name}_tests DISCOVERY_MODE PRE_TEST
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;ASAN_OPTIONS=halt_on_error=1:detect_leaks=1;UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1")
endfunction()

# tessary_fuzz_target(NAME DEPENDS lib...) builds fuzz/NAME.cpp as a libFuzzer binary.
function(tessary_fuzz_target name)
  cmake_parse_arguments(ARG "" "" "DEPENDS" ${ARGN})
  add_executable(fuzz_${name} ${CMAKE_CURRENT_SOURCE_DIR}/${name}.cpp)
  target_link_libraries(fuzz_${name} PRIVATE ${ARG_DEPENDS})
  target_link_options(fuzz_${name} PRIVATE -fsanitize=fuzzer)
endfunction()
