# The shipped setup's image: its link map and imports show no runtime part it does not use; built for
# size (the presets' MinSizeRel), it stays within the setup's limit of 136 KiB. The 64-bit build exists
# only to run the tests where no 32-bit code runs; it keeps the unwind data 64-bit Windows wants for
# every frame and passes arguments as its convention does, in registers and a reserved area, so its
# limit is 20 KiB more.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(vt_image_limit 159744)
else()
    set(vt_image_limit 139264)
endif()
add_test(NAME setup_image
    COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/setup_image_test.sh ${CMAKE_OBJDUMP} $<TARGET_FILE:vtsetup_stub>
        $<TARGET_PROPERTY:vtsetup_stub,VT_LINK_MAP> $<$<CONFIG:MinSizeRel>:${vt_image_limit}>)
set_tests_properties(setup_image PROPERTIES LABELS image)
