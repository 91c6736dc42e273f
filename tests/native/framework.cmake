# The framework's portable helpers.
vt_test(format_number_test SOURCES format_number_test.cpp LIBS vt_format_number)
