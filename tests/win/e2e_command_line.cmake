# The setup run from the command line end to end under Wine: exit codes, installed trees, shortcuts and
# the log, checked from Linux. It writes the current user's shortcuts, as the main software's end-to-end
# test does, and AutoCAD's registry keys, as the plug-in tests do, so it takes turns with them.
foreach(prefix IN LISTS VT_WINE_PREFIXES)
    add_test(NAME e2e_command_line.${prefix}
        COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/e2e_command_line_test.sh
            $<TARGET_FILE:uidriver> $<TARGET_FILE:vt_hold_file>)
    set_tests_properties(e2e_command_line.${prefix} PROPERTIES
        ENVIRONMENT "VT_WINE_ARCH=${prefix};VT_WINE_ROOT=${VT_WINE_ROOT};VT_DIST_DIR=${VT_DIST_DIR}"
        SKIP_RETURN_CODE 77
        RESOURCE_LOCK "vt_host_registry_${prefix};vt_user_shortcuts_${prefix}"
        LABELS "wine;${prefix};e2e"
        TIMEOUT 900)
endforeach()
