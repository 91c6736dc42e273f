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
