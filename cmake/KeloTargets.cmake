# Helpers shared by every area's CMakeLists.

# kelo_add_test(NAME SOURCES... LIBS ...): a GoogleTest program registered with CTest.
# GUI tests link kelo_qt_test_main, which runs headless (offscreen) on its own; their tests
# carry the label "gui", which test.sh runs a second time under a Russian locale.
function(kelo_add_test name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gmock)
    # A hung test (a modal dialog nobody answers) fails instead of stalling the run.
    set(properties ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 900)
    if("kelo_qt_test_main" IN_LIST ARG_LIBS)
        list(APPEND properties LABELS gui)
    endif()
    gtest_discover_tests(${name}
        DISCOVERY_TIMEOUT 60
        PROPERTIES ${properties}
        WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
endfunction()
