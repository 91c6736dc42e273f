vt_test(payload_test SOURCES payload_test.cpp LIBS vt_payload_core)
