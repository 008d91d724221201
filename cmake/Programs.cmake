# The libraries and executable that each of the three programs is made of.
#
#   add_program_core(program SOURCES ...)
#       <program>_core, the platform-free core in core/: plain C++, linked by the program and its tests. In fuzz
#       trees it is built with coverage, so that the fuzz targets find their way into it. On Windows also the
#       program's resources from assets/ (add_program_resources), which core-only builds test too.
#   add_program(program ID id NAME name SOURCES ...)
#       Outside core-only builds: <program>_ui, its windows in ui/ on the shared Qt helpers, and the program
#       itself from main.cpp, made a desktop program by add_program_packaging.

function(add_program_core program)
    cmake_parse_arguments(P "" "" "SOURCES" ${ARGN})
    add_library(${program}_core STATIC ${P_SOURCES})
    target_include_directories(${program}_core PUBLIC ${CMAKE_CURRENT_SOURCE_DIR}/core)
    if(FUZZ)
        target_compile_options(${program}_core PRIVATE -fsanitize=fuzzer-no-link,address,undefined)
    endif()
    add_program_resources(${program} ASSETS assets)
endfunction()

function(add_program program)
    cmake_parse_arguments(P "" "ID;NAME" "SOURCES" ${ARGN})
    if(CORES_ONLY)
        return()
    endif()
    add_library(${program}_ui STATIC ${P_SOURCES})
    target_include_directories(${program}_ui PUBLIC ${CMAKE_CURRENT_SOURCE_DIR}/ui)
    target_link_libraries(${program}_ui PUBLIC ${program}_core quendrith_widgets Qt6::Widgets)
    qt_add_executable(${program} WIN32 MACOSX_BUNDLE main.cpp)
    target_link_libraries(${program} PRIVATE ${program}_ui)
    add_program_packaging(${program} ID ${P_ID} NAME ${P_NAME} ASSETS assets)
endfunction()
