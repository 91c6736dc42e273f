# Signed setups installed and damaged ones refused, end to end through the window under Wine. The
# installs make the main software's shortcuts and the driver button writes into the system folder, so
# the test takes both locks.
vt_e2e_test(e2e_signed SCRIPT ${CMAKE_CURRENT_SOURCE_DIR}/e2e_signed_test.sh
    ARGS $<TARGET_FILE:uidriver> ${VT_TOOLS_DIR}/vtpack
    LOCKS vt_user_shortcuts vt_windows_folder
    TIMEOUT 900)
