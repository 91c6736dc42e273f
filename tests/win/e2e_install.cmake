# The distribution's setup driven end to end through the UI driver under Wine, checked on the prefix's
# disk from Linux: the main software (with a full disk on the small drive) and the plug-ins with real
# registry keys. Each test of a prefix runs its cases one after another: they share the desktop and
# the registry.
foreach(area install plugins)
    vt_e2e_test(e2e_${area} SCRIPT ${CMAKE_CURRENT_SOURCE_DIR}/e2e_${area}_test.sh
        ARGS $<TARGET_FILE:uidriver> $<TARGET_FILE:vt_hold_file>)
endforeach()
# The main software's installs all make the same desktop and start-menu shortcuts.
foreach(prefix IN LISTS VT_WINE_PREFIXES)
    set_tests_properties(e2e_install.${prefix} PROPERTIES
        FIXTURES_REQUIRED small_drive RESOURCE_LOCK "vt_setup_${prefix};small_drive;vt_user_shortcuts_${prefix}")
endforeach()
