# The setup takes system DLLs from the system folder only: a marker DLL planted beside it under the
# name of every DLL it loads after start-up, preferred over Wine's own by native-first overrides, is
# never loaded, and the installation still succeeds. A helper without the restriction, in the same
# folder with the same overrides, does load the markers, so the test can see a load when there is one.
add_library(vt_marker_dll SHARED helpers/MarkerDll_win.cpp)
set_target_properties(vt_marker_dll PROPERTIES PREFIX "" OUTPUT_NAME vt_marker)
vt_program(vt_load_by_name SOURCES helpers/LoadByName_win.cpp)
vt_e2e_test(e2e_dll_search SCRIPT ${CMAKE_CURRENT_SOURCE_DIR}/e2e_dll_search_test.sh
    ARGS $<TARGET_FILE:uidriver> $<TARGET_FILE:vt_marker_dll> $<TARGET_FILE:vt_load_by_name>
    LOCKS vt_user_shortcuts)
