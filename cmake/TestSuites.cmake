# Run by CTest before the tests (see lumivista_add_test): registers one test
# per GoogleTest suite of PROGRAM. Each suite runs in one process, so a
# process is started per suite rather than per test, which halves the
# sanitizer tree's test time. The suite list is read from the program again
# whenever the program or this script is newer than the list. The listing
# names its filter, so a GTEST_FILTER in the caller's environment cannot
# shrink it, and a check test per program fails when fewer tests are
# registered than the program holds.
#
# Expects PROGRAM, EXECUTOR (a command list to run it through), WORKING_DIR,
# COST, SUITES_FILE and CMAKE_PROGRAM (the cmake executable) to be set. Run
# with -P and REGISTERED_TESTS set, it is that check instead.

# Appends to `script` the test NAME running the tests FILTER selects.
macro(lumivista_add_suite_test name filter)
  string(APPEND script
    "add_test([==[${name}]==]${command} [==[--gtest_filter=${filter}]==])\n"
    "set_tests_properties([==[${name}]==] PROPERTIES WORKING_DIRECTORY [==[${WORKING_DIR}]==]"
    " COST ${COST} SKIP_RETURN_CODE 77)\n")  # testsupport::kAllTestsSkipped
endmacro()

# Registers the suite read last. A value-parameterised suite becomes one
# test per parameter, so each server or design runs beside the others.
macro(lumivista_add_listed_suite)
  if(suite)
    if(params AND NOT unparameterised)
      foreach(param IN LISTS params)
        lumivista_add_suite_test("${suite}/${param}" "${suite}.*/${param}")
      endforeach()
    else()
      lumivista_add_suite_test("${suite}" "${suite}.*")
    endif()
  endif()
endmacro()

# Sets `listing` to every test of PROGRAM, whatever GTEST_FILTER says, and
# `test_count` to their number (tests are the indented lines).
macro(lumivista_list_tests)
  execute_process(COMMAND ${EXECUTOR} ${PROGRAM} --gtest_filter=* --gtest_list_tests
    WORKING_DIRECTORY ${WORKING_DIR}
    TIMEOUT 60
    OUTPUT_VARIABLE listing
    ERROR_VARIABLE errors
    RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "${PROGRAM} --gtest_list_tests failed (${result}):\n${listing}${errors}")
  endif()
  string(REGEX MATCHALL "\n  [^ \n]" test_lines "\n${listing}")
  list(LENGTH test_lines test_count)
endmacro()

if(DEFINED REGISTERED_TESTS)
  lumivista_list_tests()
  if(NOT test_count EQUAL REGISTERED_TESTS)
    message(FATAL_ERROR "CTest runs ${REGISTERED_TESTS} tests of ${PROGRAM}, but it holds ${test_count}: "
                        "the registered list is stale or was made under a filter")
  endif()
  message(STATUS "all ${test_count} tests of ${PROGRAM} registered")
  return()
endif()

# The check test NAME: the program's tests now are the ones registered.
macro(lumivista_add_count_check name)
  string(APPEND script
    "add_test([==[${name}]==] [==[${CMAKE_PROGRAM}]==] [==[-DPROGRAM=${PROGRAM}]==]"
    " [==[-DEXECUTOR=${EXECUTOR}]==] [==[-DWORKING_DIR=${WORKING_DIR}]==]"
    " -DREGISTERED_TESTS=${test_count} -P [==[${CMAKE_CURRENT_LIST_FILE}]==])\n")
endmacro()

function(lumivista_write_suites)
  lumivista_list_tests()
  set(command "")
  foreach(word IN LISTS EXECUTOR ITEMS ${PROGRAM})
    string(APPEND command " [==[${word}]==]")
  endforeach()
  # Suites start in the first column and end with a dot, their tests follow
  # indented; parameterised names carry a comment after them.
  string(REPLACE "\n" ";" lines "${listing}")
  set(script "")
  set(suite "")
  foreach(line IN LISTS lines)
    if(line MATCHES "^([^ #][^ ]*)\\.( *#.*)?$")
      lumivista_add_listed_suite()
      set(suite ${CMAKE_MATCH_1})
      set(params "")
      set(unparameterised FALSE)
    elseif(suite AND line MATCHES "^  [^ /]+/([^ /]+)( *#.*)?$")
      list(APPEND params ${CMAKE_MATCH_1})
      list(REMOVE_DUPLICATES params)
    elseif(suite AND line MATCHES "^  [^ ]")
      set(unparameterised TRUE)
    endif()
  endforeach()
  lumivista_add_listed_suite()
  if(script STREQUAL "")
    message(FATAL_ERROR "${PROGRAM} lists no test suites:\n${listing}")
  endif()
  get_filename_component(program_name ${PROGRAM} NAME)
  lumivista_add_count_check(${program_name}_all_tests_registered)
  file(WRITE ${SUITES_FILE} "${script}")
endfunction()

if(NOT EXISTS ${PROGRAM})
  # A program that failed to build fails its run instead of vanishing.
  get_filename_component(name ${PROGRAM} NAME)
  add_test(${name}_NOT_BUILT ${name}_NOT_BUILT)
  return()
endif()
if(NOT EXISTS ${SUITES_FILE} OR ${PROGRAM} IS_NEWER_THAN ${SUITES_FILE}
   OR ${CMAKE_CURRENT_LIST_FILE} IS_NEWER_THAN ${SUITES_FILE})
  lumivista_write_suites()
endif()
include(${SUITES_FILE})
