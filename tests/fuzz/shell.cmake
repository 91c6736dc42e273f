vt_fuzzer(ini_key_name_fuzz SOURCES ini_key_name_fuzz.cpp LIBS vt_ini_core)
