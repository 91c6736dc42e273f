# The setup shell under Wine: IniFile against the system's profile functions, the install-path
# dialog's answers driven in-process, and end-to-end scenarios that drive the real setup through the
# UI driver: a copy of the newer of dist/VtSetup.exe and VtSetup-stub.exe with its own SetupCfg.ini in
# a folder of the prefix, and the distribution where it lies.

vt_test(inifile_test SOURCES inifile_test.cpp LIBS vt_setup_config)

vt_test(install_path_dialog_test
    SOURCES install_path_dialog_test.cpp $<TARGET_OBJECTS:vt_resources>
    LIBS vt_install_path vt_uidriver)

file(GLOB shell_scenarios CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/e2e_shell/*.scn)
foreach(scenario IN LISTS shell_scenarios)
    get_filename_component(name ${scenario} NAME_WE)
    foreach(prefix IN LISTS VT_WINE_PREFIXES)
        add_test(NAME e2e_shell.${name}.${prefix} COMMAND uidriver ${scenario})
        set_tests_properties(e2e_shell.${name}.${prefix} PROPERTIES
            ENVIRONMENT "VT_WINE_ARCH=${prefix};VT_WINE_ROOT=${VT_WINE_ROOT};VT_DIST_DIR=${VT_DIST_DIR};VT_SETUP_EXE=${VT_DIST_DIR}/VtSetup.exe|$<TARGET_FILE:vtsetup_stub>"
            SKIP_RETURN_CODE 77
            LABELS "wine;${prefix};e2e"
            RESOURCE_LOCK vt_setup_${prefix}
            TIMEOUT 120)
    endforeach()
endforeach()

vt_test(dialog_framework_test
    SOURCES dialog_framework_test.cpp $<TARGET_OBJECTS:vt_resources>
    LIBS vt_framework vt_uidriver)

vt_test(busy_window_test
    SOURCES busy_window_test.cpp $<TARGET_OBJECTS:vt_resources>
    LIBS vt_framework)

vt_test(install_progress_test
    SOURCES install_progress_test.cpp $<TARGET_OBJECTS:vt_resources>
    LIBS vt_shell vt_uidriver comctl32)

vt_test(setup_dialog_test
    SOURCES setup_dialog_test.cpp $<TARGET_OBJECTS:vt_resources>
    LIBS vt_shell)

vt_test(folder_browser_test
    SOURCES folder_browser_test.cpp $<TARGET_OBJECTS:vt_resources>
    LIBS vt_install_path vt_uidriver)

vt_test(resources_test
    SOURCES resources_test.cpp $<TARGET_OBJECTS:vt_resources>
    LIBS vt_framework vt_uidriver comctl32)

# The install command's messages and log for a branch that stopped, against the build's dist.
# A folder holding a Unix symbolic link (a reparse point under Wine) to another folder, for a test hook to
# move into an installation while it commits. (Wine moves what a link points to, not the link: the
# folder around it is what moves.)
file(MAKE_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/commit_link/other ${CMAKE_CURRENT_BINARY_DIR}/commit_link/planted)
file(CREATE_LINK ${CMAKE_CURRENT_BINARY_DIR}/commit_link/other ${CMAKE_CURRENT_BINARY_DIR}/commit_link/planted/QTXDoc
    SYMBOLIC)
vt_test(install_command_test SOURCES install_command_test.cpp PluginDist_win.cpp WineTestSupport_win.cpp
    $<TARGET_OBJECTS:vt_resources> LIBS vt_shell vt_uidriver comctl32 DEPENDS vt_hold_file)
target_compile_definitions(install_command_test PRIVATE VT_DIST_DIR="${VT_DIST_DIR}" VT_BUILD_ROOT="${VT_BUILD_ROOT}")

# Every ending of an install command against its exit code, log line and box.
vt_test(install_outcome_test SOURCES install_outcome_test.cpp LIBS vt_shell)
