// Linked the way the shipped setup is, with its own replacements of C++ runtime parts: each failure
// point of the runtime ends the process through the fatal error handler with exit code 2, without
// unwinding, and a nothrow allocation that fails answers null. Run without arguments it runs every
// case in a child of its own and prints what went wrong; exits 0 when all held.
// Run as `vt_lean_runtime_check CASE MARKER` it is that child: its handler creates the file MARKER.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <new>
#include <string>
#include <vector>

#include "framework/FatalError.h"
#include "tests/win/helpers/ChildRun_win.h"

namespace {

const char* marker = nullptr;
// Where an allocation is kept, so the compiler cannot drop it as unused.
char* volatile kept = nullptr;

void CreateMarker(FatalError) {
    HANDLE file = CreateFileA(marker, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        CloseHandle(file);
    }
}

// Each case fails in its own way; none of them may return.
int RunCase(const char* name) {
    volatile std::size_t huge = static_cast<std::size_t>(-1) / 2;
    if (std::strcmp(name, "misuse") == 0) {
        std::string text("abc");
        text.reserve(text.max_size() + 1);
    } else if (std::strcmp(name, "container") == 0) {
        std::vector<char> bytes;
        bytes.resize(huge);
    } else if (std::strcmp(name, "new") == 0) {
        kept = new char[huge];
    } else if (std::strcmp(name, "function") == 0) {
        std::function<void()> empty;
        empty();
    } else if (std::strcmp(name, "nothrow") == 0) {
        // Answers null and goes on.
        char* block = new (std::nothrow) char[huge];
        return block == nullptr ? 0 : 1;
    }
    return 1;
}

struct Case {
    const char* name;
    DWORD exitCode;
    bool handlerRan;
};

constexpr Case kCases[] = {
    {"misuse", 2, true},
    {"container", 2, true},
    {"new", 2, true},
    {"function", 2, true},
    {"nothrow", 0, false},
};

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3) {
        marker = argv[2];
        SetFatalErrorHandler(&CreateMarker);
        return RunCase(argv[1]);
    }
    char program[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, program, MAX_PATH);
    char folder[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, folder);
    int failures = 0;
    for (const Case& one : kCases) {
        std::string markerPath = std::string(folder) + "vt_lean_runtime_" + one.name + ".marker";
        DeleteFileA(markerPath.c_str());
        std::string command = std::string("\"") + program + "\" " + one.name + " \"" + markerPath + "\"";
        const DWORD exitCode = RunChildAndWait(command);
        const bool handlerRan = GetFileAttributesA(markerPath.c_str()) != INVALID_FILE_ATTRIBUTES;
        DeleteFileA(markerPath.c_str());
        if (exitCode != one.exitCode || handlerRan != one.handlerRan) {
            std::printf("FAIL: %s: exit code %lu (expected %lu), handler %s\n", one.name,
                static_cast<unsigned long>(exitCode), static_cast<unsigned long>(one.exitCode),
                handlerRan ? "ran" : "did not run");
            ++failures;
        }
    }
    std::printf("%s\n", failures == 0 ? "fatal errors end the run" : "fatal errors broken");
    return failures == 0 ? 0 : 1;
}
