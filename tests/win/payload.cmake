# The extractors on real files under Wine, with helper programs that hold files open and that carry an
# archive behind their own image.
vt_program(vt_hold_file SOURCES helpers/HoldFile_win.cpp)
vt_program(vt_extract_self SOURCES helpers/ExtractSelf_win.cpp LIBS vt_payload)
vt_test(payload_extractor_test
    SOURCES payload_extractor_test.cpp WineTestSupport_win.cpp
    LIBS vt_payload
    DEPENDS vt_hold_file vt_extract_self)

# A 256 KiB drive S: in both prefixes, for writes that fill the disk.
add_test(NAME small_drive.mount COMMAND ${CMAKE_SOURCE_DIR}/scripts/small-drive.sh mount ${VT_WINE_ROOT} ${VT_WINE_PREFIXES})
add_test(NAME small_drive.unmount COMMAND ${CMAKE_SOURCE_DIR}/scripts/small-drive.sh unmount ${VT_WINE_ROOT})
set_tests_properties(small_drive.mount PROPERTIES FIXTURES_SETUP small_drive LABELS wine)
set_tests_properties(small_drive.unmount PROPERTIES FIXTURES_CLEANUP small_drive LABELS wine)
foreach(prefix IN LISTS VT_WINE_PREFIXES)
    set_tests_properties(payload_extractor_test.${prefix} PROPERTIES
        FIXTURES_REQUIRED small_drive RESOURCE_LOCK small_drive)
endforeach()

# vtpack (native) and the extractors (Windows) agree: a Linux tree packed and extracted comes back whole.
foreach(prefix IN LISTS VT_WINE_PREFIXES)
    add_test(NAME vtpack_roundtrip.${prefix}
        COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/vtpack_roundtrip_test.sh ${VT_BIN_DIR}
            $<TARGET_FILE:vt_extract_self> ${CMAKE_CURRENT_BINARY_DIR}/vtpack_roundtrip.${prefix} ${VT_TOOLS_DIR})
    set_tests_properties(vtpack_roundtrip.${prefix} PROPERTIES
        ENVIRONMENT "VT_WINE_ARCH=${prefix};VT_WINE_ROOT=${VT_WINE_ROOT}"
        LABELS "wine;${prefix}" TIMEOUT 300)
endforeach()

# The setup's check of its own file, signed setups, and the install command refusing a damaged setup.
vt_test(setup_integrity_test SOURCES setup_integrity_test.cpp WineTestSupport_win.cpp
    LIBS vt_shell vt_payload)
target_sources(setup_integrity_test PRIVATE $<TARGET_OBJECTS:vt_resources>)

# The setup's own file opened once at start-up: held against renaming and writing, and told from another
# file put under its name.
vt_program(vt_setup_file_check SOURCES helpers/SetupFileCheck_win.cpp LIBS vt_payload)
vt_test(setup_file_test SOURCES setup_file_test.cpp WineTestSupport_win.cpp
    LIBS vt_payload
    DEPENDS vt_setup_file_check vt_hold_file)
