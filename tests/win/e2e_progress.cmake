# The install progress window end to end: its bar, its status line and its Cancel, in the window and
# with /SILENT, over a setup large enough to take several seconds. It makes the current user's shortcuts,
# as the main software's end-to-end test does, so it takes turns with it.
vt_e2e_test(e2e_progress SCRIPT ${CMAKE_CURRENT_SOURCE_DIR}/e2e_progress_test.sh
    ARGS $<TARGET_FILE:uidriver> ${VT_TOOLS_DIR}/vtpack $<TARGET_FILE:vtsetup_stub>
    LOCKS vt_user_shortcuts
    TIMEOUT 900)
