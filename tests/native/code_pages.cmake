# The rules that look at single characters of paths and names, over the double-byte code pages.
vt_test(double_byte_names_test SOURCES double_byte_names_test.cpp
    LIBS vt_shell_core vt_plugins_core vt_drivers_core vt_install_core vt_ini_core)
