vt_test(plugins_core_test SOURCES registry_text_test.cpp plugin_versions_test.cpp host_search_test.cpp
    LIBS vt_plugins_core)
