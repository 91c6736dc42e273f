# Cross build for 32-bit Windows with Debian's mingw-w64: the setup users get.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(vt_mingw_target i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-toolchain-common.cmake)
