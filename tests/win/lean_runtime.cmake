# The setup replaces parts of the C++ runtime with its own (app/services/LeanRuntime.cpp). A program linked the
# same way ends through the fatal error handler with exit code 2 at each of the runtime's failure points.
vt_program(vt_lean_runtime_check SOURCES helpers/LeanRuntimeCheck_win.cpp)
vt_lean_image(vt_lean_runtime_check)
foreach(prefix IN LISTS VT_WINE_PREFIXES)
    add_test(NAME lean_runtime.${prefix} COMMAND vt_lean_runtime_check)
    set_tests_properties(lean_runtime.${prefix} PROPERTIES
        ENVIRONMENT "VT_WINE_ARCH=${prefix};VT_WINE_ROOT=${VT_WINE_ROOT}"
        LABELS "wine;${prefix}"
        TIMEOUT 120)
endforeach()
