# The setup installs only the payload of the file it was started from, even when that file is swapped
# while its window is open. The installs make the main software's shortcuts and the driver button
# writes into the system folder, so the test takes both locks.
vt_e2e_test(e2e_own_file SCRIPT ${CMAKE_CURRENT_SOURCE_DIR}/e2e_own_file_test.sh
    ARGS $<TARGET_FILE:uidriver> ${VT_TOOLS_DIR}/vtpack ${VT_BIN_DIR}/VtSetup-stub.exe
    LOCKS vt_user_shortcuts vt_windows_folder
    TIMEOUT 600)
