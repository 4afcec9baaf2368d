# 64-bit Windows: the whole system as Windows programs, run under wine64 on Linux.
set(CMAKE_SYSTEM_PROCESSOR AMD64)
set(QUORVEL_MINGW_TRIPLET x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw-common.cmake)

# Programs of the build (tests, the stand-in host) run through tools/wine-run, which keeps a Wine
# prefix inside the build tree and silences Wine's own diagnostics.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../tools/wine-run --prefix
                                   ${CMAKE_BINARY_DIR}/wine-prefix)
