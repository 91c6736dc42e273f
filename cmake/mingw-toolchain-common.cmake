# What both mingw-w64 toolchains share: Debian's posix threads variant (so std::thread and GoogleTest's
# threading build as they do natively) for the target named by vt_mingw_target.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER ${vt_mingw_target}-gcc-posix)
set(CMAKE_CXX_COMPILER ${vt_mingw_target}-g++-posix)
set(CMAKE_RC_COMPILER ${vt_mingw_target}-windres)
# The win32 threads variant of the same compiler, whose runtime the shipped setup links
# (cmake/LeanImage.cmake).
set(VT_WIN32_THREADS_CXX ${vt_mingw_target}-g++-win32)
set(CMAKE_FIND_ROOT_PATH /usr/${vt_mingw_target})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# Every test executable runs under Wine through this script, in the project's own prefixes.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run.sh)
