vt_test(install_core_test SOURCES message_table_test.cpp install_paths_test.cpp backup_name_test.cpp
    folder_protection_test.cpp link_on_the_way_test.cpp link_guard_test.cpp install_plan_test.cpp transaction_test.cpp
    LIBS vt_install_core)
