# A payload that holds files the loose folders beside the setup hold too, installed end to end fresh
# and again, in the window and unattended. It makes the current user's shortcuts, as the main
# software's end-to-end test does, so it takes turns with it.
vt_e2e_test(e2e_overlap SCRIPT ${CMAKE_CURRENT_SOURCE_DIR}/e2e_overlap_test.sh
    ARGS $<TARGET_FILE:uidriver> ${VT_TOOLS_DIR}/vtpack $<TARGET_FILE:vtsetup_stub>
    LOCKS vt_user_shortcuts
    TIMEOUT 600)
