# The command line's unattended installation, run in-process on the build's dist.
vt_test(unattended_install_test SOURCES unattended_install_test.cpp PluginDist_win.cpp WineTestSupport_win.cpp
    LIBS vt_shell DEPENDS vt_hold_file)
target_compile_definitions(unattended_install_test PRIVATE VT_DIST_DIR="${VT_DIST_DIR}" VT_BUILD_ROOT="${VT_BUILD_ROOT}")
foreach(prefix IN LISTS VT_WINE_PREFIXES)
    # It runs the setup in-process: a setup started beside it by another test would find it running.
    set_tests_properties(unattended_install_test.${prefix} PROPERTIES RESOURCE_LOCK vt_setup_${prefix})
endforeach()
