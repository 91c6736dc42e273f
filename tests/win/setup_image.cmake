# The shipped setup's image: its link map and imports show no runtime part it does not use; built for
# size (the presets' MinSizeRel), it stays within the setup's limit of 160 KiB. The 64-bit build exists
# only to run the tests where no 32-bit code runs; it keeps the unwind data 64-bit Windows wants for
# every frame (some 10 KB the 32-bit image goes without) and is held to the same limit.
add_test(NAME setup_image
    COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/setup_image_test.sh ${CMAKE_OBJDUMP} $<TARGET_FILE:vtsetup_stub>
        $<TARGET_PROPERTY:vtsetup_stub,VT_LINK_MAP> $<$<CONFIG:MinSizeRel>:163840>)
set_tests_properties(setup_image PROPERTIES LABELS image)
