# The setup replaces parts of the C++ runtime with its own (app/LeanRuntime.cpp). A program linked the
# same way throws, catches, nests, rethrows and counts exceptions as the library's parts do.
vt_program(vt_lean_runtime_check SOURCES helpers/LeanRuntimeCheck_win.cpp)
vt_lean_image(vt_lean_runtime_check)
foreach(prefix IN LISTS VT_WINE_PREFIXES)
    add_test(NAME lean_runtime.${prefix} COMMAND vt_lean_runtime_check)
    set_tests_properties(lean_runtime.${prefix} PROPERTIES
        ENVIRONMENT "VT_WINE_ARCH=${prefix};VT_WINE_ROOT=${VT_WINE_ROOT}"
        LABELS "wine;${prefix}"
        TIMEOUT 120)
endforeach()
