# An unattended run that runs out of memory, or meets another failure of the runtime, says why as the
# last line of its log and exits with code 2; run out during the commit, it first puts the earlier
# installation back.
vt_program(vt_fatal_error_report_check SOURCES helpers/FatalErrorReportCheck_win.cpp LIBS vt_shell vt_install)
vt_lean_image(vt_fatal_error_report_check)
target_compile_definitions(vt_fatal_error_report_check PRIVATE VT_DIST_DIR="${VT_DIST_DIR}")
foreach(prefix IN LISTS VT_WINE_PREFIXES)
    add_test(NAME fatal_error_report.${prefix} COMMAND vt_fatal_error_report_check)
    set_tests_properties(fatal_error_report.${prefix} PROPERTIES
        ENVIRONMENT "VT_WINE_ARCH=${prefix};VT_WINE_ROOT=${VT_WINE_ROOT}"
        LABELS "wine;${prefix}"
        TIMEOUT 120)
endforeach()
