# vt_lean_image(TARGET): the link of a shipped program that runs on one thread, with a map of it.
#
# It takes the C++ runtime (libstdc++, libgcc) of the compiler's win32 threads variant, whose exception
# support needs no threading library, instead of the posix variant's that the tests need for std::thread
# and that links winpthreads into every program. Both variants come from the same compiler release and
# differ only in what threads, mutexes and clocks use; a program linked this way must use none of
# those, and its map (scripts/image-map.sh) shows that no winpthreads came along. It also takes the
# setup's own replacements of runtime parts (app/services/LeanRuntime.cpp), so every program linked this way has
# the same runtime.

# Debian names each variant's release "12-posix", "12-win32".
execute_process(COMMAND ${CMAKE_CXX_COMPILER} -dumpfullversion
    OUTPUT_VARIABLE vt_posix_version OUTPUT_STRIP_TRAILING_WHITESPACE)
execute_process(COMMAND ${VT_WIN32_THREADS_CXX} -dumpfullversion
    OUTPUT_VARIABLE vt_win32_version OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE vt_win32_missing)
execute_process(COMMAND ${VT_WIN32_THREADS_CXX} -print-libgcc-file-name
    OUTPUT_VARIABLE vt_win32_libgcc OUTPUT_STRIP_TRAILING_WHITESPACE)
string(REGEX REPLACE "-posix$" "" vt_posix_release "${vt_posix_version}")
string(REGEX REPLACE "-win32$" "" vt_win32_release "${vt_win32_version}")
if(vt_win32_missing OR NOT vt_win32_release STREQUAL vt_posix_release)
    message(FATAL_ERROR "${VT_WIN32_THREADS_CXX} ${vt_win32_version} must be there beside "
        "${CMAKE_CXX_COMPILER} ${vt_posix_version}, the same release: make bootstrap installs it")
endif()
get_filename_component(VT_WIN32_THREADS_RUNTIME ${vt_win32_libgcc} DIRECTORY)

function(vt_lean_image target)
    # Searched before the compiler's own folder, so -lstdc++, -lgcc and -lgcc_eh find these.
    target_link_directories(${target} BEFORE PRIVATE ${VT_WIN32_THREADS_RUNTIME})
    target_sources(${target} PRIVATE ${CMAKE_SOURCE_DIR}/app/services/LeanRuntime.cpp)
    target_link_libraries(${target} PRIVATE vt_fatal_error)
    get_target_property(name ${target} OUTPUT_NAME)
    if(NOT name)
        set(name ${target})
    endif()
    set(map ${CMAKE_CURRENT_BINARY_DIR}/${name}.map)
    target_link_options(${target} PRIVATE -Wl,-Map=${map})
    set_target_properties(${target} PROPERTIES VT_LINK_MAP ${map})
endfunction()

# vt_lean_start(TARGET): a windowed program of a lean image that starts at the setup's own entry
# (app/services/LeanStart_win.cpp), which calls its WinMain, instead of the C runtime's start-up code.
function(vt_lean_start target)
    target_sources(${target} PRIVATE ${CMAKE_SOURCE_DIR}/app/services/LeanStart_win.cpp)
    # 32-bit symbols of C functions carry a leading underscore.
    if(CMAKE_SIZEOF_VOID_P EQUAL 4)
        set(c_prefix _)
    endif()
    target_link_options(${target} PRIVATE -nostartfiles -Wl,-e,${c_prefix}VtLeanStart)
    if(CMAKE_SIZEOF_VOID_P EQUAL 4)
        # The setup's frames, inlined into one another by the optimization as a whole, are checked
        # again. (A test program linked lean keeps the probes of its own code, and larger frames.)
        target_link_options(${target} PRIVATE ${VT_SMALL_FRAMES})
    endif()
    # The C functions that GCC calls by itself (copies, comparisons, lengths, allocation) are asked for
    # before the optimization as a whole: without the runtime's start-up code nothing else asks for
    # them first, and GNU ld 2.40 crashes (signal 11) when an import from msvcrt.dll is first needed
    # only after that optimization. A new such function in the code shows as that crash; add it here.
    foreach(function malloc free memchr memcmp memcpy memmove memset strcmp strlen wcslen)
        target_link_options(${target} PRIVATE -Wl,-u,${c_prefix}${function})
    endforeach()
endfunction()
