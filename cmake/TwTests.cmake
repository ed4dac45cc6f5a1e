# How the tree registers its tests. Each folder's tests/CMakeLists.txt says what its test
# program is made of; the linking with GoogleTest and the registration with CTest are done
# here, the same way for all of them.

# A registration without a needed value, or with words it does not know, stops the
# configuration: a misspelt keyword would otherwise swallow the words after it.
macro(tw_check_registration function name)
  foreach(key IN ITEMS ${ARGN})
    if(NOT arg_${key})
      message(FATAL_ERROR "${function}(${name}): ${key} is needed")
    endif()
  endforeach()
  if(arg_UNPARSED_ARGUMENTS)
    message(FATAL_ERROR "${function}(${name}): unknown arguments ${arg_UNPARSED_ARGUMENTS}")
  endif()
endmacro()

# tw_add_tests(TARGET LABEL unit|widget|program SOURCES file... [LINK library...])
#
# One GoogleTest program whose tests CTest lists one by one under LABEL. Widget tests run
# on Qt's offscreen platform with the main of tests/support (it makes the QApplication
# first) and QtTest; every other test program uses GoogleTest's main. Every test program may
# use the test support of tests/support.
function(tw_add_tests target)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "LABEL" "SOURCES;LINK")
  tw_check_registration(tw_add_tests ${target} LABEL SOURCES)
  add_executable(${target} ${arg_SOURCES})
  if(arg_LABEL STREQUAL "widget")
    target_sources(${target} PRIVATE ${PROJECT_SOURCE_DIR}/tests/support/offscreenmain.cpp)
    target_link_libraries(${target} PRIVATE ${arg_LINK} Qt6::Test Qt6::Widgets GTest::gtest)
  else()
    target_link_libraries(${target} PRIVATE ${arg_LINK} GTest::gtest_main)
  endif()
  gtest_discover_tests(${target} PROPERTIES LABELS ${arg_LABEL})
endfunction()

# tw_add_script_test(NAME RUNNER file.cmake LABELS label... [DEFINE VAR=value...])
#
# One test that runs a CMake script (cmake -P RUNNER) with TWTOOLS set to the program and
# each DEFINE passed as -DVAR=value. Values must not hold semicolons.
function(tw_add_script_test name)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "RUNNER" "LABELS;DEFINE")
  tw_check_registration(tw_add_script_test ${name} RUNNER LABELS)
  set(defines)
  foreach(definition IN LISTS arg_DEFINE)
    list(APPEND defines "-D${definition}")
  endforeach()
  add_test(NAME ${name}
    COMMAND ${CMAKE_COMMAND} -DTWTOOLS=$<TARGET_FILE:twtools> ${defines} -P ${arg_RUNNER})
  set_tests_properties(${name} PROPERTIES LABELS "${arg_LABELS}")
endfunction()
