# The shipped setup's image: its link map and imports show no runtime part it does not use; built for
# size (the presets' MinSizeRel), it stays within 128 KiB.
add_test(NAME setup_image
    COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/setup_image_test.sh ${CMAKE_OBJDUMP} $<TARGET_FILE:vtsetup_stub>
        $<TARGET_PROPERTY:vtsetup_stub,VT_LINK_MAP> $<$<CONFIG:MinSizeRel>:131072>)
set_tests_properties(setup_image PROPERTIES LABELS image)
