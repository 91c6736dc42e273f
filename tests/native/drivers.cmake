vt_test(drivers_test SOURCES drivers_test.cpp LIBS vt_drivers_core)
