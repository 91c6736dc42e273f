# The distributed setup's headers as a PE reader that is not ours reads them: after the payload is
# appended. Linux only; it reads the file this build's dist/ holds (make dist, make dist-x64).
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(vt_dist_machine amd64)
else()
    set(vt_dist_machine i386)
endif()
add_test(NAME dist_headers
    COMMAND /usr/bin/python3 ${CMAKE_CURRENT_SOURCE_DIR}/dist_headers_test.py ${VT_DIST_DIR}/VtSetup.exe
        ${vt_dist_machine} ${VT_VERSION_TEXT})
set_tests_properties(dist_headers PROPERTIES LABELS image SKIP_RETURN_CODE 77)
