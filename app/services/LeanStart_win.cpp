// Where the setup program starts, in place of the C runtime's start-up code. The runtime's start
// (crt2.o and what it pulls in: the pseudo-relocation fixer, the section walker, the thread-local
// storage callbacks, the floating-point and math-error hooks, its unhandled-exception filter and their
// unwind tables) is some ten kilobytes the setup uses none of: it takes its command line from Windows,
// has no data imported from DLLs to fix up, no thread-local storage and no floating point. msvcrt.dll
// initializes itself when it is loaded, so malloc and the rest work without the runtime's start.
// What the runtime's start did that the setup needs is here: the static objects' constructors, the
// destructors they register, and WinMain's arguments.
// The program image is linked with -nostartfiles and this function as its entry (vt_lean_start).
#include <windows.h>

#include <cstddef>

// The constructors of the program's static objects, in the list GNU ld builds for PE images: a -1
// first, the functions, a null last. GCC runs them from the last to the first.
extern "C" {
extern void (*__CTOR_LIST__[])();
}

namespace {

// The command line after the program's name, which is what WinMain is given: the name ends at the
// first blank outside quotes, and the blanks after it are skipped.
LPSTR ArgumentsOf(LPSTR line) {
    bool quoted = false;
    while (*line && (quoted || (*line != ' ' && *line != '\t'))) {
        quoted ^= *line == '"';
        ++line;
    }
    while (*line == ' ' || *line == '\t') {
        ++line;
    }
    return line;
}

// The destructors of the static objects, registered by their constructors. The setup has a handful.
void (*g_atExit[32])();
std::size_t g_atExitCount = 0;

}  // namespace

// Without the runtime's start the program has no atexit of its own; GCC's code for static objects
// calls this one.
extern "C" int atexit(void (*function)()) {
    if (g_atExitCount == sizeof(g_atExit) / sizeof(g_atExit[0])) {
        return -1;
    }
    g_atExit[g_atExitCount++] = function;
    return 0;
}

extern "C" [[noreturn]] void VtLeanStart();

extern "C" void VtLeanStart() {
    std::size_t count = 0;
    while (__CTOR_LIST__[count + 1]) {
        ++count;
    }
    for (std::size_t i = count; i > 0; --i) {
        __CTOR_LIST__[i]();
    }
    // WinMain's arguments as the runtime would have passed them.
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    GetStartupInfoA(&startup);
    const int show = (startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow : SW_SHOWDEFAULT;
    const int code = WinMain(GetModuleHandleA(nullptr), nullptr, ArgumentsOf(GetCommandLineA()), show);
    while (g_atExitCount > 0) {
        g_atExit[--g_atExitCount]();
    }
    ExitProcess(static_cast<UINT>(code));
}
