# The setup takes system DLLs from the system folder only: a marker DLL planted beside it under the
# name of every DLL it loads after start-up, preferred over Wine's own by native-first overrides, is
# never loaded, and the installation still succeeds. A helper without the restriction, in the same
# folder with the same overrides, does load the markers, so the test can see a load when there is one.
add_library(vt_marker_dll SHARED helpers/MarkerDll_win.cpp)
set_target_properties(vt_marker_dll PROPERTIES PREFIX "" OUTPUT_NAME vt_marker)
vt_program(vt_load_by_name SOURCES helpers/LoadByName_win.cpp)
foreach(prefix IN LISTS VT_WINE_PREFIXES)
    add_test(NAME e2e_dll_search.${prefix}
        COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/e2e_dll_search_test.sh
            $<TARGET_FILE:uidriver> $<TARGET_FILE:vt_marker_dll> $<TARGET_FILE:vt_load_by_name>)
    set_tests_properties(e2e_dll_search.${prefix} PROPERTIES
        ENVIRONMENT "VT_WINE_ARCH=${prefix};VT_WINE_ROOT=${VT_WINE_ROOT};VT_DIST_DIR=${VT_DIST_DIR}"
        SKIP_RETURN_CODE 77
        RESOURCE_LOCK vt_user_shortcuts_${prefix}
        LABELS "wine;${prefix};e2e"
        TIMEOUT 600)
endforeach()
