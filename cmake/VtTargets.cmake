# Helpers that every folder uses to declare its libraries, programs and tests the same way.

# vt_library(NAME SOURCES... [LIBS ...]): a static library with the project's warnings.
function(vt_library name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_library(${name} STATIC ${ARG_SOURCES})
    target_compile_options(${name} PRIVATE ${VT_WARNINGS})
    target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR})
    target_link_libraries(${name} PUBLIC ${ARG_LIBS})
endfunction()

# vt_program(NAME SOURCES... [LIBS ...] [GUI] [SHIPPED]): an executable; SHIPPED ones go to build/bin.
function(vt_program name)
    cmake_parse_arguments(ARG "GUI;SHIPPED" "OUTPUT_NAME" "SOURCES;LIBS" ${ARGN})
    if(ARG_GUI)
        add_executable(${name} WIN32 ${ARG_SOURCES})
    else()
        add_executable(${name} ${ARG_SOURCES})
    endif()
    target_compile_options(${name} PRIVATE ${VT_WARNINGS})
    target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS})
    if(ARG_OUTPUT_NAME)
        set_target_properties(${name} PROPERTIES OUTPUT_NAME ${ARG_OUTPUT_NAME})
    endif()
    if(ARG_SHIPPED)
        set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${VT_BIN_DIR})
    endif()
endfunction()

# vt_test(NAME SOURCES... [LIBS ...] [PREFIXES win32 win64] [LABELS ...]): a GoogleTest executable.
# Native builds run it directly. Windows builds run it under Wine once per prefix of VT_WINE_PREFIXES:
# win32 is the plain 32-bit Windows, win64 the 64-bit one on which the 32-bit program runs under WOW64.
function(vt_test name)
    cmake_parse_arguments(ARG "" "TIMEOUT" "SOURCES;LIBS;PREFIXES;LABELS;DEPENDS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_compile_options(${name} PRIVATE ${VT_WARNINGS})
    target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest_main GTest::gmock)
    if(ARG_DEPENDS)
        add_dependencies(${name} ${ARG_DEPENDS})
    endif()
    if(NOT ARG_TIMEOUT)
        set(ARG_TIMEOUT 300)
    endif()
    if(WIN32)
        if(NOT ARG_PREFIXES)
            set(ARG_PREFIXES ${VT_WINE_PREFIXES})
        endif()
        foreach(prefix IN LISTS ARG_PREFIXES)
            add_test(NAME ${name}.${prefix} COMMAND ${name})
            set_tests_properties(${name}.${prefix} PROPERTIES
                ENVIRONMENT "VT_WINE_ARCH=${prefix};VT_WINE_ROOT=${VT_WINE_ROOT}"
                LABELS "wine;${prefix};${ARG_LABELS}"
                TIMEOUT ${ARG_TIMEOUT})
        endforeach()
    else()
        add_test(NAME ${name} COMMAND ${name})
        set_tests_properties(${name} PROPERTIES LABELS "native;${ARG_LABELS}" TIMEOUT ${ARG_TIMEOUT})
    endif()
endfunction()

# vt_e2e_test(NAME SCRIPT path [ARGS ...] [LOCKS lock ...] [RUN_SERIAL] [TIMEOUT seconds]): an end-to-end
# script run under Wine once per prefix of VT_WINE_PREFIXES, as NAME.<prefix>, on the distribution in
# VT_DIST_DIR (VT_VERSION names the version it was built with); its exit code 77 counts as skipped. Each lock is taken per prefix, as LOCK_<prefix>: the
# prefixes share nothing.
function(vt_e2e_test name)
    cmake_parse_arguments(ARG "RUN_SERIAL" "SCRIPT;TIMEOUT" "ARGS;LOCKS" ${ARGN})
    if(NOT ARG_TIMEOUT)
        set(ARG_TIMEOUT 600)
    endif()
    foreach(prefix IN LISTS VT_WINE_PREFIXES)
        set(test ${name}.${prefix})
        add_test(NAME ${test} COMMAND ${ARG_SCRIPT} ${ARG_ARGS})
        set_tests_properties(${test} PROPERTIES
            ENVIRONMENT "VT_WINE_ARCH=${prefix};VT_WINE_ROOT=${VT_WINE_ROOT};VT_DIST_DIR=${VT_DIST_DIR};VT_VERSION=${VT_VERSION_TEXT}"
            SKIP_RETURN_CODE 77
            LABELS "wine;${prefix};e2e"
            TIMEOUT ${ARG_TIMEOUT})
        # One setup runs at a time in a prefix (a second one ends with 1618): every test that starts it
        # takes vt_setup.
        list(TRANSFORM ARG_LOCKS APPEND _${prefix} OUTPUT_VARIABLE locks)
        set_tests_properties(${test} PROPERTIES RESOURCE_LOCK "vt_setup_${prefix};${locks}")
        if(ARG_RUN_SERIAL)
            set_tests_properties(${test} PROPERTIES RUN_SERIAL TRUE)
        endif()
    endforeach()
endfunction()
