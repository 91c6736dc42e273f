# The plug-in installations under Wine, with real registry keys in the prefix's HKEY_LOCAL_MACHINE and
# the build's dist (scripts/make-dist.sh) as the setup they extract from.
vt_test(registry_test SOURCES registry_test.cpp ScopedMachineKey_win.cpp LIBS vt_plugins)

foreach(test coreldraw_install_test autocad_install_test illustrator_install_test)
    if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${test}.cpp)
        vt_test(${test} SOURCES ${test}.cpp ScopedMachineKey_win.cpp PluginDist_win.cpp WineTestSupport_win.cpp
            LIBS vt_plugins DEPENDS vt_hold_file)
        target_compile_definitions(${test} PRIVATE VT_DIST_DIR="${VT_DIST_DIR}" VT_BUILD_ROOT="${VT_BUILD_ROOT}")
    endif()
endforeach()

# Drive S: is shared with the other full-disk tests, so these run alone.
foreach(prefix IN LISTS VT_WINE_PREFIXES)
    set_tests_properties(illustrator_install_test.${prefix} PROPERTIES
        FIXTURES_REQUIRED small_drive RUN_SERIAL TRUE)
endforeach()

# Tests that write the hosts' registry keys of one prefix take turns, end-to-end ones included
# (tests/win/e2e_install.cmake); the Illustrator test also fills the shared small drive.
foreach(prefix IN LISTS VT_WINE_PREFIXES)
    set_tests_properties(registry_test.${prefix} coreldraw_install_test.${prefix} autocad_install_test.${prefix}
        PROPERTIES RESOURCE_LOCK vt_host_registry_${prefix})
    set_tests_properties(illustrator_install_test.${prefix} PROPERTIES RESOURCE_LOCK small_drive)
    set_tests_properties(e2e_plugins.${prefix} PROPERTIES RESOURCE_LOCK "vt_setup_${prefix};vt_host_registry_${prefix}")
endforeach()
