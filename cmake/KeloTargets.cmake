# Helpers shared by every area's CMakeLists.

# kelo_add_test(NAME SOURCES... LIBS ... [LABELS ...] [SERIAL]): a GoogleTest program
# registered with CTest; SERIAL runs its tests alone.
# GUI tests link kelo_qt_test_main, which runs headless (offscreen) on its own; their tests
# carry the label "gui", which test.sh runs a second time under a Russian locale.
function(kelo_add_test name)
    cmake_parse_arguments(ARG "SERIAL" "" "SOURCES;LIBS;LABELS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gmock)
    # A hung test (a modal dialog nobody answers) fails instead of stalling the run.
    set(properties ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 900)
    set(labels ${ARG_LABELS})
    if("kelo_qt_test_main" IN_LIST ARG_LIBS)
        list(APPEND labels gui)
    endif()
    if(labels)
        list(APPEND properties LABELS "${labels}")
    endif()
    # Tests that stop and start a shared server run alone.
    if(ARG_SERIAL)
        list(APPEND properties RUN_SERIAL TRUE)
    endif()
    gtest_discover_tests(${name}
        DISCOVERY_TIMEOUT 60
        PROPERTIES ${properties}
        WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
endfunction()
