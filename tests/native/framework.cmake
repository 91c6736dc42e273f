# The framework's portable helpers.
vt_test(format_number_test SOURCES format_number_test.cpp LIBS vt_format_number)
vt_test(middle_cut_test SOURCES middle_cut_test.cpp LIBS vt_middle_cut)
vt_test(progress_scale_test SOURCES progress_scale_test.cpp LIBS vt_progress_scale)
vt_test(function_ref_test SOURCES function_ref_test.cpp)
vt_test(path_folder_test SOURCES path_folder_test.cpp)
