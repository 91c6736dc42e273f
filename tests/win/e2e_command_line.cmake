# The setup run from the command line end to end under Wine: exit codes, installed trees, shortcuts and
# the log, checked from Linux. It writes the current user's shortcuts, as the main software's end-to-end
# test does, and AutoCAD's registry keys, as the plug-in tests do, so it takes turns with them.
vt_e2e_test(e2e_command_line SCRIPT ${CMAKE_CURRENT_SOURCE_DIR}/e2e_command_line_test.sh
    ARGS $<TARGET_FILE:uidriver> $<TARGET_FILE:vt_hold_file>
    LOCKS vt_host_registry vt_user_shortcuts
    TIMEOUT 900)
