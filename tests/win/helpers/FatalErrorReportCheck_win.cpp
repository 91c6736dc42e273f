// The setup's report of a fatal error in an unattended run, linked the way the shipped setup is: a
// forced allocation failure writes the reason, in the run's language, as the last line of the log and
// ends the process with exit code 2. Run without arguments it runs each case in a child of its own and
// prints what went wrong; exits 0 when all held.
// Run as `vt_fatal_error_report_check LANGUAGE_POSITION LOG` it is that child.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/services/FatalErrorReport_win.h"
#include "app/services/SetupLog_win.h"
#include "tests/win/helpers/ChildRun_win.h"

namespace {

// Where the allocation is kept, so the compiler cannot drop it as unused.
char* volatile kept = nullptr;

int FailToAllocate(int languagePosition, const char* logPath) {
    static SetupLog log;
    if (!log.Open(logPath, nullptr)) {
        return 1;
    }
    log.Line(L"Setup started");
    ReportFatalErrorsTo(&log, false, languagePosition);
    volatile std::size_t huge = static_cast<std::size_t>(-1) / 2;
    kept = new char[huge];
    log.Line(L"Allocated");
    return 0;
}

std::string ReadWholeLog(const std::string& path) {
    std::string contents;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return contents;
    }
    char buffer[4096];
    DWORD read = 0;
    while (ReadFile(file, buffer, sizeof(buffer), &read, nullptr) && read > 0) {
        contents.append(buffer, read);
    }
    CloseHandle(file);
    return contents;
}

struct Case {
    const char* languagePosition;
    const char* lastLine;  // UTF-8, as the log writes it
};

constexpr Case kCases[] = {
    {"0",
     "\xE5\x86\x85\xE5\xAD\x98\xE4\xB8\x8D\xE8\xB6\xB3,\xE5\xAE\x89\xE8\xA3\x85\xE7\xA8\x8B\xE5\xBA\x8F"
     "\xE5\xB0\x86\xE9\x80\x80\xE5\x87\xBA\xE3\x80\x82\r\n"},  // 内存不足,安装程序将退出。
    {"1", "Out of memory: the setup will close.\r\n"},
};

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3) {
        return FailToAllocate(std::atoi(argv[1]), argv[2]);
    }
    char program[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, program, MAX_PATH);
    char folder[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, folder);
    const std::string logPath = std::string(folder) + "vt_fatal_error_report.log";
    int failures = 0;
    for (const Case& one : kCases) {
        DeleteFileA(logPath.c_str());
        std::string command = std::string("\"") + program + "\" " + one.languagePosition + " \"" + logPath + "\"";
        const DWORD exitCode = RunChildAndWait(command);
        const std::string log = ReadWholeLog(logPath);
        const std::string last = one.lastLine;
        const bool endsWithReason =
            log.size() >= last.size() && log.compare(log.size() - last.size(), last.size(), last) == 0;
        const bool startedFirst = log.find("Setup started") != std::string::npos;
        if (exitCode != 2 || !endsWithReason || !startedFirst) {
            std::printf("FAIL: language %s: exit code %lu (expected 2), log:\n%s\n", one.languagePosition,
                        static_cast<unsigned long>(exitCode), log.c_str());
            ++failures;
        }
    }
    DeleteFileA(logPath.c_str());
    std::printf("%s\n", failures == 0 ? "fatal errors reported" : "fatal error report broken");
    return failures == 0 ? 0 : 1;
}
