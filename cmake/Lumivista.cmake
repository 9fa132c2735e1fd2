# Shared helpers for the project's CMake files.

# Copies the shipped template sets beside TARGET's executable, again whenever
# a design file changes (a copy made only when the program relinks goes stale).
function(lumivista_copy_templates target)
  file(GLOB_RECURSE designs CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/template/*)
  set(stamp ${CMAKE_CURRENT_BINARY_DIR}/${target}-templates.stamp)
  add_custom_command(OUTPUT ${stamp}
    COMMAND ${CMAKE_COMMAND} -E rm -rf $<TARGET_FILE_DIR:${target}>/template
    COMMAND ${CMAKE_COMMAND} -E copy_directory ${PROJECT_SOURCE_DIR}/template $<TARGET_FILE_DIR:${target}>/template
    COMMAND ${CMAKE_COMMAND} -E touch ${stamp}
    DEPENDS ${designs}
    VERBATIM)
  add_custom_target(${target}_templates ALL DEPENDS ${stamp})
  add_dependencies(${target} ${target}_templates)
endfunction()

# Registers a GoogleTest executable built from SOURCES and linked to LIBS.
# Tests run with the offscreen Qt platform. GUI tests skip leak checking:
# Qt and fontconfig keep process-lifetime caches that LeakSanitizer reports.
function(lumivista_add_test name)
  cmake_parse_arguments(ARG "GUI" "" "SOURCES;LIBS" ${ARGN})
  set(env "QT_QPA_PLATFORM=offscreen;QTWEBENGINE_DISABLE_SANDBOX=1")
  if(ARG_GUI)
    list(APPEND env "ASAN_OPTIONS=detect_leaks=0")
  endif()
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
  target_compile_definitions(${name} PRIVATE
    LUMIVISTA_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
    LUMIVISTA_TEST_DATA="${PROJECT_SOURCE_DIR}/tests/data")
  # gtest_discover_tests keeps only the first entry of an ENVIRONMENT list, so
  # the variables are set by running each test through env(1) instead.
  set_target_properties(${name} PROPERTIES CROSSCOMPILING_EMULATOR "env;${env}")
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST)
endfunction()
