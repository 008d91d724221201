# Test registration shared by the three programs' test folders.
#
#   add_core_test(name SOURCES ... LIBS ...)    GoogleTest, no display; also runs under Wine in the cross build
#   add_window_test(name SOURCES ... LIBS ...)  Qt Test, offscreen; skipped in core-only builds
#   add_fuzz_target(name SOURCES ... LIBS ...)  libFuzzer, only with FUZZ=ON; runs FUZZ_SECONDS as a test

function(_project_test_args out_sources out_libs)
    cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
    set(${out_sources} ${T_SOURCES} PARENT_SCOPE)
    set(${out_libs} ${T_LIBS} PARENT_SCOPE)
endfunction()

function(add_core_test name)
    if(NOT BUILD_TESTING OR FUZZ)
        return()
    endif()
    _project_test_args(sources libs ${ARGN})
    add_executable(${name} ${sources})
    target_link_libraries(${name} PRIVATE ${libs} GTest::gtest GTest::gtest_main)
    add_test(NAME ${TEST_NAME_PREFIX}${name} COMMAND ${name})
    set_tests_properties(${TEST_NAME_PREFIX}${name} PROPERTIES LABELS core TIMEOUT 300)
endfunction()

function(add_window_test name)
    if(NOT BUILD_TESTING OR FUZZ OR CORES_ONLY)
        return()
    endif()
    _project_test_args(sources libs ${ARGN})
    qt_add_executable(${name} ${sources})
    target_link_libraries(${name} PRIVATE ${libs} Qt6::Test Qt6::Widgets)
    add_test(NAME ${TEST_NAME_PREFIX}${name} COMMAND ${name})
    set_tests_properties(${TEST_NAME_PREFIX}${name} PROPERTIES
        LABELS window TIMEOUT 300
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LC_ALL=C.UTF-8")
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
    add_test(NAME ${TEST_NAME_PREFIX}${name} COMMAND ${name} -max_total_time=${FUZZ_SECONDS} -timeout=10 -rss_limit_mb=2048)
    set_tests_properties(${TEST_NAME_PREFIX}${name} PROPERTIES LABELS fuzz TIMEOUT 600)
endfunction()
