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

# Precompiled headers. The third-party headers (GoogleTest, Qt, CLI11) cost
# more to parse than most of our files cost to compile, so each build tree
# parses them once per group of alike targets: the first target of a group
# makes the precompiled header and the others of that group reuse it (their
# compile flags match, which GCC requires).
set(LUMIVISTA_PCH_GTEST <gtest/gtest.h> <gmock/gmock.h> <filesystem> <fstream> <string> <vector>)
set(LUMIVISTA_PCH_QT <QApplication> <QPainter> <QImage> <QWidget> <QPushButton> <QListWidget> <QComboBox>
                     <QCheckBox> <QLabel> <QLineEdit> <QSpinBox> <QTabWidget> <QTreeView> <QBoxLayout>
                     <QMouseEvent> <QKeyEvent> <QTimer> <QSettings> <QPrinter>)

# The tests' own code is built without optimisation even where the build type
# optimises: it compiles in two thirds of the time -O1 takes and the tests run
# about as fast, since the code under test keeps its optimisation.
function(lumivista_test_optimisation target)
  target_compile_options(${target} PRIVATE $<$<CONFIG:Release,RelWithDebInfo,MinSizeRel>:-O0>)
endfunction()

function(lumivista_precompile target group)
  get_property(donor GLOBAL PROPERTY LUMIVISTA_PCH_DONOR_${group})
  if(donor)
    target_precompile_headers(${target} REUSE_FROM ${donor})
  else()
    target_precompile_headers(${target} PRIVATE ${ARGN})
    set_property(GLOBAL PROPERTY LUMIVISTA_PCH_DONOR_${group} ${target})
  endif()
endfunction()

# Registers a GoogleTest executable built from SOURCES and linked to LIBS,
# with one CTest test per test suite (cmake/TestSuites.cmake).
# COST marks programs with long tests: CTest starts those first, so they do
# not run alone at the end while the other core idles.
# Tests run with the offscreen Qt platform. GUI tests skip leak checking:
# Qt and fontconfig keep process-lifetime caches that LeakSanitizer reports.
function(lumivista_add_test name)
  cmake_parse_arguments(ARG "GUI" "COST" "SOURCES;LIBS" ${ARGN})
  if(NOT ARG_COST)
    set(ARG_COST 0)
  endif()
  set(env "QT_QPA_PLATFORM=offscreen;QTWEBENGINE_DISABLE_SANDBOX=1")
  if(ARG_GUI)
    list(APPEND env "ASAN_OPTIONS=detect_leaks=0")
  endif()
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} lumivista_test_support lumivista_test_main
                                        GTest::gtest GTest::gmock)
  lumivista_test_optimisation(${name})
  # A fixture in a test file's anonymous namespace is, inside a unity batch,
  # in an "included" file, which GCC would warn about for every TEST_F.
  target_compile_options(${name} PRIVATE $<$<CXX_COMPILER_ID:GNU>:-Wno-subobject-linkage>)
  if(ARG_GUI)
    # One set of Qt modules for every GUI test, so they share one header.
    target_link_libraries(${name} PRIVATE Qt6::Widgets Qt6::PrintSupport)
    lumivista_precompile(${name} gui_tests ${LUMIVISTA_PCH_GTEST} ${LUMIVISTA_PCH_QT})
  else()
    lumivista_precompile(${name} tests ${LUMIVISTA_PCH_GTEST})
  endif()
  target_compile_definitions(${name} PRIVATE
    LUMIVISTA_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
    LUMIVISTA_TEST_DATA="${PROJECT_SOURCE_DIR}/tests/data")
  lumivista_register_suites(${name} "env;${env}" ${ARG_COST})
endfunction()

# Has CTest read NAME's suites before it runs the tests (see TestSuites.cmake).
function(lumivista_register_suites name executor cost)
  set(include_file ${CMAKE_CURRENT_BINARY_DIR}/${name}_suites_include.cmake)
  file(GENERATE OUTPUT ${include_file} CONTENT
"set(PROGRAM [==[$<TARGET_FILE:${name}>]==])
set(EXECUTOR [==[${executor}]==])
set(WORKING_DIR [==[${CMAKE_CURRENT_BINARY_DIR}]==])
set(COST ${cost})
set(SUITES_FILE [==[${CMAKE_CURRENT_BINARY_DIR}/${name}_suites.cmake]==])
set(CMAKE_PROGRAM [==[${CMAKE_COMMAND}]==])
include([==[${PROJECT_SOURCE_DIR}/cmake/TestSuites.cmake]==])
")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${include_file})
endfunction()
