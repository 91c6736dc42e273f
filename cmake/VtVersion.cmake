# The setup's version, in one place: the project's, or the one a release names (make dist VERSION=3.2.1,
# which reaches here as VT_VERSION). Every configure sets VT_VERSION anew, so a release's version does not
# stay in the cache for the next build.
set(VT_VERSION "" CACHE STRING "Version of this build; empty for the project's")
if(VT_VERSION STREQUAL "")
    set(VT_VERSION_TEXT ${PROJECT_VERSION})
else()
    set(VT_VERSION_TEXT ${VT_VERSION})
endif()
# Windows keeps a version as four numbers of 16 bits each; the text may give one to four of them.
if(NOT VT_VERSION_TEXT MATCHES "^[0-9]+(\\.[0-9]+)?(\\.[0-9]+)?(\\.[0-9]+)?$")
    message(FATAL_ERROR "VERSION=${VT_VERSION_TEXT}: give one to four numbers separated by dots, such as 3.2.1")
endif()
string(REPLACE "." ";" vt_version_parts ${VT_VERSION_TEXT})
list(LENGTH vt_version_parts vt_version_count)
while(vt_version_count LESS 4)
    list(APPEND vt_version_parts 0)
    math(EXPR vt_version_count "${vt_version_count} + 1")
endwhile()
foreach(part IN LISTS vt_version_parts)
    if(part GREATER 65535)
        message(FATAL_ERROR "VERSION=${VT_VERSION_TEXT}: each number is at most 65535")
    endif()
endforeach()
string(REPLACE ";" "," vt_version_numbers "${vt_version_parts}")

file(CONFIGURE OUTPUT ${CMAKE_BINARY_DIR}/generated/VtVersion.h CONTENT [[
#pragma once
// The version of this build, written by the configure step (cmake/VtVersion.cmake).
#define VT_VERSION_TEXT "@VT_VERSION_TEXT@"
#define VT_VERSION_WIDE L"@VT_VERSION_TEXT@"
// For the version resource: four numbers, missing ones 0.
#define VT_VERSION_NUMBERS @vt_version_numbers@
]] @ONLY)
add_library(vt_version INTERFACE)
target_include_directories(vt_version INTERFACE ${CMAKE_BINARY_DIR}/generated)
message(STATUS "VtSetup version ${VT_VERSION_TEXT}")
