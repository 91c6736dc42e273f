# The version stamped into the setup: read back by Windows from the distribution's file, and by vtpack.
vt_test(version_info_test SOURCES version_info_test.cpp LIBS vt_version version)
target_compile_definitions(version_info_test PRIVATE VT_DIST_DIR="${VT_DIST_DIR}")

# Four numbers, as the resource keeps them.
string(REPLACE "," "." vt_version_dotted "${vt_version_numbers}")
add_test(NAME vtpack_version
    COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/vtpack_version_test.sh ${VT_TOOLS_DIR}/vtpack ${VT_DIST_DIR}/VtSetup.exe
        $<TARGET_FILE:vt_hold_file> ${VT_BUILD_ROOT}/payload-small ${CMAKE_CURRENT_BINARY_DIR}/vtpack_version
        ${vt_version_dotted})
set_tests_properties(vtpack_version PROPERTIES LABELS dist)
