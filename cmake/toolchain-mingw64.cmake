# Cross build of the same sources for 64-bit Windows: what the Windows tests run on where a machine runs
# no 32-bit code.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(vt_mingw_target x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-toolchain-common.cmake)
