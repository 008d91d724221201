# Installation, desktop integration and the suite's Debian package, shared by the three programs.
#
#   add_program_packaging(target ID id NAME name ASSETS folder)
#       Makes target a proper desktop program on each system and installs it. folder holds
#       <target>.desktop, <target>.1 (its manual page), <target>.icns, icons/<target>-<size>.png and the
#       scalable icons/<target>.svg (written by tools/generate-assets.sh);
#       on Windows it links the program's resources of add_program_resources.
#   add_program_resources(target ASSETS folder)
#       On Windows an object library <target>_resources of folder/<target>.rc (the icons, the version block and
#       the application manifest); also in core-only builds, where the resources' own test reads them back.
#   finish_packaging()
#       Once, after the programs: the suite's metainfo, CPack and the package's own test.

include(GNUInstallDirs)

set(PACKAGE_ICON_SIZES 16 32 48 64 128 256)
set(PACKAGE_SUITE_ID org.quendrith.Tools)
set(PACKAGE_MAINTAINER "Quendrith tools developers <developers@quendrith.org>" CACHE STRING
    "Maintainer field of the Debian package")

function(add_program_resources target)
    cmake_parse_arguments(P "" "ASSETS" "" ${ARGN})
    if(NOT WIN32)
        return()
    endif()
    cmake_path(ABSOLUTE_PATH P_ASSETS)
    set(generated ${PROJECT_BINARY_DIR}/packaging/windows)
    configure_file(${PROJECT_SOURCE_DIR}/packaging/windows/version.h.in ${generated}/version.h @ONLY)
    string(SUBSTRING ${target} 0 1 first)
    string(SUBSTRING ${target} 1 -1 rest)
    string(TOUPPER ${first} first)
    set(MANIFEST_PROGRAM ${first}${rest})
    set(MANIFEST_VERSION ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH}.0)
    configure_file(${PROJECT_SOURCE_DIR}/packaging/windows/application.manifest.in ${generated}/${target}.manifest
        @ONLY)

    set(rc ${P_ASSETS}/${target}.rc)
    add_library(${target}_resources OBJECT ${rc})
    target_include_directories(${target}_resources PUBLIC ${P_ASSETS} ${PROJECT_SOURCE_DIR}/packaging/windows
        ${generated})
    # The resource compiler reports no dependencies of its own.
    file(GLOB icons ${P_ASSETS}/*.ico)
    set_source_files_properties(${rc} PROPERTIES OBJECT_DEPENDS
        "${icons};${generated}/version.h;${generated}/${target}.manifest;${PROJECT_SOURCE_DIR}/packaging/windows/program_version.rc")
endfunction()

function(add_program_packaging target)
    cmake_parse_arguments(P "" "ID;NAME;ASSETS" "" ${ARGN})
    if(NOT P_ID OR NOT P_NAME OR NOT P_ASSETS)
        message(FATAL_ERROR "add_program_packaging(${target}): ID, NAME and ASSETS are required")
    endif()
    cmake_path(ABSOLUTE_PATH P_ASSETS)

    if(TARGET ${target}_resources)
        target_link_libraries(${target} PRIVATE ${target}_resources)
    endif()

    if(APPLE)
        set(icns ${P_ASSETS}/${target}.icns)
        set_source_files_properties(${icns} PROPERTIES MACOSX_PACKAGE_LOCATION Resources)
        target_sources(${target} PRIVATE ${icns})
    endif()
    set_target_properties(${target} PROPERTIES
        WIN32_EXECUTABLE ON
        MACOSX_BUNDLE ON
        MACOSX_BUNDLE_BUNDLE_NAME "${P_NAME}"
        MACOSX_BUNDLE_GUI_IDENTIFIER ${P_ID}
        MACOSX_BUNDLE_BUNDLE_VERSION ${PROJECT_VERSION}
        MACOSX_BUNDLE_SHORT_VERSION_STRING ${PROJECT_VERSION}
        MACOSX_BUNDLE_LONG_VERSION_STRING ${PROJECT_VERSION}
        MACOSX_BUNDLE_ICON_FILE ${target}.icns)

    install(TARGETS ${target}
        RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
        BUNDLE DESTINATION .)

    if(WIN32 OR APPLE)
        # Qt's own deployment puts the Qt libraries and plugins beside the program or into its bundle.
        qt_generate_deploy_app_script(TARGET ${target} FILENAME_VARIABLE deploy_script NO_UNSUPPORTED_PLATFORM_ERROR)
        install(SCRIPT ${deploy_script})
    else()
        install(FILES ${P_ASSETS}/${target}.desktop
            DESTINATION ${CMAKE_INSTALL_DATADIR}/applications
            RENAME ${P_ID}.desktop)
        # Compressed reproducibly, as Debian wants it: no name or time stamp in the gzip header.
        file(MAKE_DIRECTORY ${PROJECT_BINARY_DIR}/packaging)
        set(manual ${PROJECT_BINARY_DIR}/packaging/${target}.1.gz)
        execute_process(COMMAND gzip -9nc ${P_ASSETS}/${target}.1 OUTPUT_FILE ${manual} COMMAND_ERROR_IS_FATAL ANY)
        set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${P_ASSETS}/${target}.1)
        install(FILES ${manual} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
        foreach(size IN LISTS PACKAGE_ICON_SIZES)
            install(FILES ${P_ASSETS}/icons/${target}-${size}.png
                DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
                RENAME ${P_ID}.png)
        endforeach()
        install(FILES ${P_ASSETS}/icons/${target}.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
            RENAME ${P_ID}.svg)
    endif()

    set_property(GLOBAL APPEND PROPERTY PACKAGED_PROGRAMS ${target})
    set_property(GLOBAL APPEND PROPERTY PACKAGED_PROGRAM_IDS ${P_ID})
endfunction()

# The downloads of scripts/package-windows.sh, written once into packages/ and then tried under Wine: the zip
# unpacked and started, the setup installed, upgraded and uninstalled. The helpers are linked statically, so that
# they run in a fresh Wine prefix with nothing beside them.
function(_windows_package_tests)
    foreach(helper find_window resource_report shortcut_target)
        add_executable(${helper} ${PROJECT_SOURCE_DIR}/packaging/windows/${helper}.cpp)
        set_target_properties(${helper} PROPERTIES AUTOMOC OFF)
        target_link_options(${helper} PRIVATE -municode -static)
    endforeach()
    target_link_libraries(resource_report PRIVATE version)
    target_link_libraries(shortcut_target PRIVATE ole32 uuid)

    set(packages ${PROJECT_BINARY_DIR}/packages)
    add_test(NAME ${TEST_NAME_PREFIX}package_windows
        COMMAND bash ${PROJECT_SOURCE_DIR}/scripts/package-windows.sh ${packages} ${PROJECT_BINARY_DIR})
    set_tests_properties(${TEST_NAME_PREFIX}package_windows PROPERTIES
        LABELS package TIMEOUT 900 FIXTURES_SETUP windows_packages)
    add_test(NAME ${TEST_NAME_PREFIX}package_zip
        COMMAND bash ${PROJECT_SOURCE_DIR}/packaging/windows/check-zip.sh ${PROJECT_BINARY_DIR} ${packages}
            $<TARGET_FILE:find_window> $<TARGET_FILE:resource_report>)
    add_test(NAME ${TEST_NAME_PREFIX}package_installer
        COMMAND bash ${PROJECT_SOURCE_DIR}/packaging/windows/check-installer.sh ${PROJECT_BINARY_DIR} ${packages}
            $<TARGET_FILE:find_window> $<TARGET_FILE:shortcut_target>)
    set_tests_properties(${TEST_NAME_PREFIX}package_zip ${TEST_NAME_PREFIX}package_installer PROPERTIES
        LABELS package TIMEOUT 600 FIXTURES_REQUIRED windows_packages)
endfunction()

# The Debian release built on (12, 13; empty elsewhere) and the package of the Liberation fonts 2 there, which
# Debian 13 renamed from fonts-liberation2 (left as a transitional package) to fonts-liberation.
function(_debian_release release_var fonts_var)
    cmake_host_system_information(RESULT id QUERY DISTRIB_ID)
    cmake_host_system_information(RESULT version QUERY DISTRIB_VERSION_ID)
    set(release "")
    set(fonts "fonts-liberation (>= 1:2)")
    if(id STREQUAL "debian" AND version MATCHES "^[0-9]+$")
        set(release ${version})
        if(version LESS 13)
            set(fonts fonts-liberation2)
        endif()
    endif()
    set(${release_var} "${release}" PARENT_SCOPE)
    set(${fonts_var} "${fonts}" PARENT_SCOPE)
endfunction()

function(finish_packaging)
    get_property(programs GLOBAL PROPERTY PACKAGED_PROGRAMS)
    get_property(ids GLOBAL PROPERTY PACKAGED_PROGRAM_IDS)
    if(WIN32 AND CMAKE_CROSSCOMPILING AND BUILD_TESTING)
        _windows_package_tests()
    endif()
    if(NOT UNIX OR APPLE)
        return()
    endif()

    set(METAINFO_LAUNCHABLES "")
    foreach(id IN LISTS ids)
        string(APPEND METAINFO_LAUNCHABLES "  <launchable type=\"desktop-id\">${id}.desktop</launchable>\n")
    endforeach()
    set(METAINFO_BINARIES "")
    foreach(program IN LISTS programs)
        string(APPEND METAINFO_BINARIES "    <binary>${program}</binary>\n")
    endforeach()
    set(metainfo ${PROJECT_BINARY_DIR}/packaging/${PACKAGE_SUITE_ID}.metainfo.xml)
    configure_file(${PROJECT_SOURCE_DIR}/packaging/${PACKAGE_SUITE_ID}.metainfo.xml.in ${metainfo} @ONLY)
    install(FILES ${metainfo} DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

    set(package quendrith-tools)
    set(docdir ${CMAKE_INSTALL_DATADIR}/doc/${package})
    # A package is made for the release it is built on: its dependencies are the library packages of that
    # release, which Debian 13 renamed. Its version says which release (1.0.0~deb12 sorts before 1.0.0~deb13,
    # so a system upgraded to Debian 13 takes the newer package).
    _debian_release(release fonts)
    set(PACKAGE_VERSION ${PROJECT_VERSION})
    if(release)
        string(APPEND PACKAGE_VERSION "~deb${release}")
    endif()
    configure_file(${PROJECT_SOURCE_DIR}/packaging/changelog.in ${PROJECT_BINARY_DIR}/packaging/changelog @ONLY)
    set(changelog ${PROJECT_BINARY_DIR}/packaging/changelog.gz)
    execute_process(COMMAND gzip -9nc ${PROJECT_BINARY_DIR}/packaging/changelog
        OUTPUT_FILE ${changelog} COMMAND_ERROR_IS_FATAL ANY)
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/packaging/changelog.in)
    install(FILES ${PROJECT_SOURCE_DIR}/packaging/copyright ${changelog} DESTINATION ${docdir})

    set(CPACK_GENERATOR DEB)
    set(CPACK_PACKAGE_NAME ${package})
    set(CPACK_PACKAGE_VERSION ${PACKAGE_VERSION})
    set(CPACK_PACKAGE_VENDOR "Quendrith tools developers")
    set(CPACK_PACKAGE_CONTACT "${PACKAGE_MAINTAINER}")
    set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "helpers for players of an online role-playing game")
    set(CPACK_PACKAGE_DESCRIPTION
"Three small desktop tools that run beside the game client:
pellan solves the Underworld lights puzzle and shows a map of the Underworld;
sorvex keeps three characters and works out the intellect each school's
next level needs; korvane counts the improves still needed for the next
level.")
    set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
    set(CPACK_STRIP_FILES ON)
    set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
    set(CPACK_DEBIAN_PACKAGE_SECTION utils)
    set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
    set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
    # The windows are laid out for the metrics of the Liberation fonts, which stand in for the Windows ones.
    set(CPACK_DEBIAN_PACKAGE_DEPENDS ${fonts})
    set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
    set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
    include(CPack)

    if(BUILD_TESTING AND NOT FUZZ AND NOT SANITIZE)
        # Programs that exist must be packaged: the expected list holds their files whether or not they were.
        set(expected_programs "")
        foreach(program IN ITEMS pellan sorvex korvane)
            if(TARGET ${program})
                list(APPEND expected_programs ${program})
            endif()
        endforeach()
        add_test(NAME ${TEST_NAME_PREFIX}package_deb
            COMMAND bash ${PROJECT_SOURCE_DIR}/packaging/check-deb.sh
                ${PROJECT_BINARY_DIR} ${PACKAGE_VERSION} ${PROJECT_SOURCE_DIR}/packaging/package-files.txt
                ${expected_programs})
        set_tests_properties(${TEST_NAME_PREFIX}package_deb PROPERTIES LABELS package TIMEOUT 600)
    endif()
endfunction()
