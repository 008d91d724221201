# Cross build of the whole suite for 64-bit Windows against a Qt for MinGW, chain-loaded by that Qt's
# lib/cmake/Qt6/qt.toolchain.cmake. The runtime stays shared: Qt's DLLs bring their own copy of it, and a
# second, static one in each program would split the C++ runtime's state between them.
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-compilers.cmake)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
