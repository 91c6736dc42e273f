# The USB driver button driven end to end through the UI driver under Wine on the distribution's setup,
# checked from Linux. It writes into the prefix's own Windows folder, so it takes that folder's lock.
vt_e2e_test(e2e_drivers SCRIPT ${CMAKE_CURRENT_SOURCE_DIR}/e2e_drivers_test.sh
    ARGS $<TARGET_FILE:uidriver> $<TARGET_FILE:vt_hold_file>
    LOCKS vt_windows_folder)
# The clicks with the real mouse land on whatever window is at that point of the screen: no other test
# may show one meanwhile.
vt_e2e_test(e2e_drivers_clicks SCRIPT ${CMAKE_CURRENT_SOURCE_DIR}/e2e_drivers_test.sh
    ARGS $<TARGET_FILE:uidriver> $<TARGET_FILE:vt_hold_file> clicks
    RUN_SERIAL
    TIMEOUT 300)

# The installation below a folder of the test's own, with either installer missing. Its placement
# writes the Windows folder too.
vt_test(driver_progress_test SOURCES driver_progress_test.cpp WineTestSupport_win.cpp
    LIBS vt_shell vt_payload vt_uidriver comctl32 DEPENDS UsbDriver InstallDriver TIMEOUT 300)
target_sources(driver_progress_test PRIVATE $<TARGET_OBJECTS:vt_resources>)
target_compile_definitions(driver_progress_test PRIVATE VT_BIN_DIR="${VT_BIN_DIR}")
foreach(prefix IN LISTS VT_WINE_PREFIXES)
    set_tests_properties(driver_progress_test.${prefix} PROPERTIES RESOURCE_LOCK "vt_windows_folder_${prefix};vt_setup_${prefix}")
endforeach()
