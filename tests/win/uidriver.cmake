# The UI driver's own behaviour, apart from the scenarios it drives.
vt_test(ui_driver_test SOURCES ui_driver_test.cpp WineTestSupport_win.cpp LIBS vt_uidriver)
