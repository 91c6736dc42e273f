# Driver placement under Wine. The Windows version is set per program name in the prefix's registry and
# read by Wine when a process starts, so the placement runs in a helper that the test starts once per
# version.
vt_program(place_driver_files_runner SOURCES place_driver_files_runner_win.cpp LIBS vt_drivers)
vt_test(place_driver_files_test
    SOURCES place_driver_files_test.cpp WineTestSupport_win.cpp
    LIBS vt_drivers
    DEPENDS place_driver_files_runner
    TIMEOUT 600)
# One test writes into the prefix's own Windows folder; anything else that does must take the same lock.
foreach(prefix IN LISTS VT_WINE_PREFIXES)
    set_tests_properties(place_driver_files_test.${prefix} PROPERTIES RESOURCE_LOCK vt_windows_folder_${prefix})
endforeach()
