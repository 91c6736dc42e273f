# Signed setups installed and damaged ones refused, end to end through the window under Wine. The
# installs make the main software's shortcuts and the driver button writes into the system folder, so
# the test takes both locks.
foreach(prefix IN LISTS VT_WINE_PREFIXES)
    add_test(NAME e2e_signed.${prefix}
        COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/e2e_signed_test.sh $<TARGET_FILE:uidriver> ${VT_TOOLS_DIR}/vtpack)
    set_tests_properties(e2e_signed.${prefix} PROPERTIES
        ENVIRONMENT "VT_WINE_ARCH=${prefix};VT_WINE_ROOT=${VT_WINE_ROOT};VT_DIST_DIR=${VT_DIST_DIR}"
        SKIP_RETURN_CODE 77
        RESOURCE_LOCK "vt_user_shortcuts_${prefix};vt_windows_folder_${prefix}"
        LABELS "wine;${prefix};e2e"
        TIMEOUT 900)
endforeach()
