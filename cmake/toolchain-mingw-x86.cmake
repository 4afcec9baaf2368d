# 32-bit Windows, the host's own architecture: builds Quorvel.dll as the host loads it. Its
# programs cannot run on this machine, so this toolchain sets no emulator and its tests are built,
# not run.
set(CMAKE_SYSTEM_PROCESSOR x86)
set(QUORVEL_MINGW_TRIPLET i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw-common.cmake)
