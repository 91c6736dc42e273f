# Software installation under Wine: the loose folders, emptying a folder, shortcuts, file probes.
vt_program(write_shortcut SOURCES write_shortcut_win.cpp LIBS vt_install)

# A folder that is a Unix symbolic link to its sibling, which Wine shows as a reparse point.
file(MAKE_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/linked_folder/other)
file(CREATE_LINK other ${CMAKE_CURRENT_BINARY_DIR}/linked_folder/Link SYMBOLIC)
# A folder holding such a link (absolute) in place of "QTXDoc", for a test to swap in for an install
# folder: Wine moves what a link points to, not the link, so the folder around it is what moves.
file(MAKE_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/swapped_in/other ${CMAKE_CURRENT_BINARY_DIR}/swapped_in/planted)
file(CREATE_LINK ${CMAKE_CURRENT_BINARY_DIR}/swapped_in/other ${CMAKE_CURRENT_BINARY_DIR}/swapped_in/planted/QTXDoc
    SYMBOLIC)

vt_test(folder_files_test SOURCES folder_files_test.cpp WineTestSupport_win.cpp LIBS vt_install DEPENDS vt_hold_file)
vt_test(program_folders_test SOURCES program_folders_test.cpp WineTestSupport_win.cpp LIBS vt_install DEPENDS vt_hold_file)
vt_test(shortcut_test SOURCES shortcut_test.cpp WineTestSupport_win.cpp LIBS vt_install uuid)
vt_test(file_probes_test SOURCES file_probes_test.cpp WineTestSupport_win.cpp LIBS vt_install)
vt_test(file_backup_test SOURCES file_backup_test.cpp WineTestSupport_win.cpp LIBS vt_install DEPENDS vt_hold_file)

# The same shortcut read from Linux, as another tool sees the file.
foreach(prefix IN LISTS VT_WINE_PREFIXES)
    add_test(NAME shortcut_lnkinfo.${prefix}
        COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/shortcut_lnkinfo_test.sh $<TARGET_FILE:write_shortcut>)
    set_tests_properties(shortcut_lnkinfo.${prefix} PROPERTIES
        ENVIRONMENT "VT_WINE_ARCH=${prefix};VT_WINE_ROOT=${VT_WINE_ROOT}"
        LABELS "wine;${prefix}" TIMEOUT 300)
endforeach()

# The main software's installation from the build's dist (scripts/make-dist.sh), with a drive too
# small for it.
vt_test(main_software_install_test SOURCES main_software_install_test.cpp WineTestSupport_win.cpp
    LIBS vt_install DEPENDS vt_hold_file)
target_compile_definitions(main_software_install_test PRIVATE
    VT_DIST_DIR="${VT_DIST_DIR}" VT_BUILD_ROOT="${VT_BUILD_ROOT}")
foreach(prefix IN LISTS VT_WINE_PREFIXES)
    set_tests_properties(main_software_install_test.${prefix} PROPERTIES
        FIXTURES_REQUIRED small_drive RUN_SERIAL TRUE)
endforeach()

vt_test(same_file_on_windows_test SOURCES same_file_on_windows_test.cpp LIBS vt_install)
