# Test registration shared by the three programs' test folders.
#
#   add_core_test(name SOURCES ... LIBS ...)    GoogleTest, no display; also runs under Wine in the cross build
#   add_window_test(name SOURCES ... LIBS ... [SCALES factor...] [LABELS label...])
#                                              Qt Test, offscreen; skipped in core-only builds; with SCALES run
#                                              once at each QT_SCALE_FACTOR instead, as name_at_125 for 1.25
#                                              (CAPTION_SCALES: the usual display scales; PICTURE_SCALES: 300 %
#                                              too); LABELS besides "window"
#   add_fuzz_target(name SOURCES ... LIBS ... [CORPUS dir])
#                                              libFuzzer, only with FUZZ=ON; runs FUZZ_SECONDS as a test, from a
#                                              fresh copy of the committed corpus dir where one is given
#   project_test_environment(out)              what a test needs in its environment to run here
#
# In the Windows cross build against Qt the tests run under Wine (the toolchain's emulator), with Qt's DLLs and
# the MinGW runtime found on WINEPATH and Qt's plugins, the offscreen one included, from the Qt prefix.

function(_project_test_args out_sources out_libs)
    cmake_parse_arguments(T "" "CORPUS" "SOURCES;LIBS;SCALES;LABELS" ${ARGN})
    set(_test_corpus ${T_CORPUS} PARENT_SCOPE)
    set(${out_sources} ${T_SOURCES} PARENT_SCOPE)
    set(${out_libs} ${T_LIBS} PARENT_SCOPE)
    set(_test_scales ${T_SCALES} PARENT_SCOPE)
    set(_test_labels ${T_LABELS} PARENT_SCOPE)
endfunction()

set(CAPTION_SCALES 1 1.25 1.5 1.75 2)
set(PICTURE_SCALES ${CAPTION_SCALES} 3)

# The Windows cross build against Qt runs every test in one Wine session of its own (cmake/wine-session.sh),
# started by a setup test and ended by a cleanup test.
set(WINE_SESSION OFF)
if(WIN32 AND CMAKE_CROSSCOMPILING AND NOT CORES_ONLY AND BUILD_TESTING)
    set(WINE_SESSION ON)
    set(WINE_SESSION_DIR ${PROJECT_BINARY_DIR}/wine-session)
    set(CMAKE_CROSSCOMPILING_EMULATOR bash ${PROJECT_SOURCE_DIR}/cmake/wine-session.sh run ${WINE_SESSION_DIR})
    add_test(NAME ${TEST_NAME_PREFIX}wine_session_start
        COMMAND bash ${PROJECT_SOURCE_DIR}/cmake/wine-session.sh start ${WINE_SESSION_DIR})
    add_test(NAME ${TEST_NAME_PREFIX}wine_session_stop
        COMMAND bash ${PROJECT_SOURCE_DIR}/cmake/wine-session.sh stop ${WINE_SESSION_DIR})
    set_tests_properties(${TEST_NAME_PREFIX}wine_session_start PROPERTIES FIXTURES_SETUP wine_session TIMEOUT 240)
    set_tests_properties(${TEST_NAME_PREFIX}wine_session_stop PROPERTIES FIXTURES_CLEANUP wine_session TIMEOUT 60)
endif()

function(project_test_environment out)
    set(environment "")
    if(WINE_SESSION)
        cmake_path(SET qt_prefix NORMALIZE "${Qt6_DIR}/../../..")
        string(REPLACE "/" "\\" windows_prefix "Z:${qt_prefix}")
        string(REGEX REPLACE "\\\\$" "" windows_prefix "${windows_prefix}")
        # Qt's test output goes to the debugger rather than to stderr when no console is attached, as under
        # Wine; the offscreen platform draws with the same Liberation fonts 2 as the Linux build, which Debian 12
        # keeps in liberation2 (liberation holding the older ones) and Debian 13 in liberation.
        set(fonts /usr/share/fonts/truetype/liberation)
        if(EXISTS /usr/share/fonts/truetype/liberation2/LiberationSans-Regular.ttf)
            set(fonts /usr/share/fonts/truetype/liberation2)
        endif()
        string(REPLACE "/" "\\" windows_fonts "Z:${fonts}")
        list(APPEND environment "WINEPATH=${windows_prefix}\\bin" "WINEQT_PLUGIN_PATH=${windows_prefix}\\plugins"
            "WINEQT_FORCE_STDERR_LOGGING=1" "WINEQT_QPA_FONTDIR=${windows_fonts}")
    endif()
    set(${out} ${environment} PARENT_SCOPE)
endfunction()

# The test's environment, and the Wine session where there is one.
function(_project_test_properties test label)
    project_test_environment(environment)
    set(all_environment ${ARGN} ${environment})
    set_tests_properties(${test} PROPERTIES LABELS "${label}" TIMEOUT 300 ENVIRONMENT "${all_environment}")
    if(WINE_SESSION)
        set_tests_properties(${test} PROPERTIES FIXTURES_REQUIRED wine_session)
    endif()
endfunction()

# kind: core (GoogleTest, no display) or window (Qt Test, offscreen, not in core-only builds).
function(_add_project_test kind name)
    if(NOT BUILD_TESTING OR FUZZ OR (kind STREQUAL "window" AND CORES_ONLY))
        return()
    endif()
    _project_test_args(sources libs ${ARGN})
    set(labels ${kind} ${_test_labels})
    if(kind STREQUAL "core")
        add_executable(${name} ${sources})
        target_link_libraries(${name} PRIVATE ${libs} GTest::gtest GTest::gtest_main)
        set(environment "")
    else()
        qt_add_executable(${name} ${sources})
        target_link_libraries(${name} PRIVATE ${libs} Qt6::Test Qt6::Widgets)
        set(environment QT_QPA_PLATFORM=offscreen WINEQT_QPA_PLATFORM=offscreen LC_ALL=C.UTF-8)
    endif()
    if(NOT _test_scales)
        add_test(NAME ${TEST_NAME_PREFIX}${name} COMMAND ${name})
        _project_test_properties(${TEST_NAME_PREFIX}${name} "${labels}" ${environment})
    endif()
    foreach(scale IN LISTS _test_scales)
        # Named by the percentage: 1.5 runs as name_at_150.
        string(REGEX MATCH "^([0-9]+)\\.?([0-9]*)$" matched ${scale})
        string(SUBSTRING "${CMAKE_MATCH_2}00" 0 2 hundredths)
        set(test ${TEST_NAME_PREFIX}${name}_at_${CMAKE_MATCH_1}${hundredths})
        add_test(NAME ${test} COMMAND ${name})
        _project_test_properties(${test} "${labels}" ${environment} QT_SCALE_FACTOR=${scale} WINEQT_SCALE_FACTOR=${scale})
    endforeach()
endfunction()

function(add_core_test name)
    _add_project_test(core ${name} ${ARGN})
endfunction()

function(add_window_test name)
    _add_project_test(window ${name} ${ARGN})
endfunction()

function(add_fuzz_target name)
    if(NOT FUZZ)
        return()
    endif()
    _project_test_args(sources libs ${ARGN})
    add_executable(${name} ${sources})
    target_compile_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined)
    target_link_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
    target_link_libraries(${name} PRIVATE ${libs})
    set(arguments -max_total_time=${FUZZ_SECONDS} -timeout=10 -rss_limit_mb=2048)
    if(_test_corpus)
        # What the run finds goes to the copy, so the committed corpus stays as it was written.
        cmake_path(ABSOLUTE_PATH _test_corpus BASE_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR} OUTPUT_VARIABLE corpus)
        add_test(NAME ${TEST_NAME_PREFIX}${name}
            COMMAND ${CMAKE_COMMAND} -DFUZZER=$<TARGET_FILE:${name}> "-DARGUMENTS=${arguments}" -DCORPUS=${corpus}
                -DSCRATCH=${CMAKE_CURRENT_BINARY_DIR}/${name}_corpus -P ${PROJECT_SOURCE_DIR}/cmake/run-fuzz.cmake)
    else()
        add_test(NAME ${TEST_NAME_PREFIX}${name} COMMAND ${name} ${arguments})
    endif()
    set_tests_properties(${TEST_NAME_PREFIX}${name} PROPERTIES LABELS fuzz TIMEOUT 600)
endfunction()
