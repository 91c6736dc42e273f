# The setup shell's portable core: INI text helpers and the setup configuration numbers.
vt_test(initext_test SOURCES initext_test.cpp LIBS vt_ini_core)
vt_test(setupconfig_test SOURCES setupconfig_test.cpp LIBS vt_shell_core)
vt_test(install_path_versions_test SOURCES install_path_versions_test.cpp LIBS vt_plugins_core)
vt_test(command_line_split_test SOURCES command_line_split_test.cpp LIBS vt_shell_core)
vt_test(setup_switches_test SOURCES setup_switches_test.cpp LIBS vt_shell_core)
