# Cross build of the platform-free cores for 64-bit Windows; tests run under Wine.
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-compilers.cmake)
# Static runtime, so that the test programs need no MinGW DLLs inside the Wine prefix.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
