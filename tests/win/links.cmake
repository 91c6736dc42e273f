# No writing or deleting through links planted inside the folders the setup installs into, end to end
# under Wine with Unix symbolic links, through the window and unattended. The installs make the main
# software's shortcuts.
vt_e2e_test(e2e_links SCRIPT ${CMAKE_CURRENT_SOURCE_DIR}/e2e_links_test.sh
    ARGS $<TARGET_FILE:uidriver>
    LOCKS vt_user_shortcuts)
