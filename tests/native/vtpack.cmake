# vtpack's build command: the payload tree read from disk, the temporary output, and the tool itself run
# on trees that go wrong in every way the build host allows.
vt_test(vtpack_test SOURCES vtpack_test.cpp LIBS vt_vtpack)
add_test(NAME vtpack_build_cli COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/vtpack_build_test.sh $<TARGET_FILE:vtpack>)
set_tests_properties(vtpack_build_cli PROPERTIES LABELS native TIMEOUT 120)
