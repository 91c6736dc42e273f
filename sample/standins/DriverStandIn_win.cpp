// Stand-in for the two driver installers that the setup starts ("UsbDriver.exe", "InstallDriver.exe").
// It installs nothing: it records how it was started in "<exe path>.log" (format in RunRecord.h), then
// runs and ends as "<exe path>.behave" tells it (BehaveFile.h), so tests can see what the setup did and
// make it wait for a slow or failing installer. No window: the real installers' own UI is not ours.

#include <windows.h>

#include <cstdio>
#include <string>

#include "sample/standins/BehaveFile.h"
#include "sample/standins/RunRecord.h"

namespace {

std::string ModulePath() {
    std::string path(MAX_PATH, '\0');
    for (;;) {
        const DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

std::string CurrentFolder() {
    const DWORD size = GetCurrentDirectoryA(0, nullptr);
    std::string folder(size, '\0');
    folder.resize(GetCurrentDirectoryA(size, folder.data()));
    return folder;
}

std::string LocalTime() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    char text[32];
    std::snprintf(text, sizeof text, "%04u-%02u-%02u %02u:%02u:%02u.%03u", now.wYear, now.wMonth, now.wDay, now.wHour,
                  now.wMinute, now.wSecond, now.wMilliseconds);
    return text;
}

// The control file is small; more than 64 KB of it is ignored.
std::string ReadSmallFile(const std::string& path) {
    const HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return {};
    }
    std::string text(64 * 1024, '\0');
    DWORD read = 0;
    if (!ReadFile(file, text.data(), static_cast<DWORD>(text.size()), &read, nullptr)) {
        read = 0;
    }
    CloseHandle(file);
    text.resize(read);
    return text;
}

// Appending lets several runs, even overlapping ones, each leave their line. A reader holding the log
// without write sharing only delays us a little.
void AppendLine(const std::string& path, const std::string& line) {
    for (int attempt = 0; attempt < 50; ++attempt) {
        const HANDLE file = CreateFileA(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                        OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            DWORD written = 0;
            WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
            CloseHandle(file);
            return;
        }
        if (GetLastError() != ERROR_SHARING_VIOLATION) {
            return;
        }
        Sleep(20);
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    const std::string module = ModulePath();
    const standins::Behaviour behaviour = standins::ParseBehaviour(ReadSmallFile(module + ".behave"));

    standins::RunRecord record;
    record.tick = GetTickCount();
    record.pid = GetCurrentProcessId();
    record.time = LocalTime();
    record.runMs = behaviour.runMs;
    record.exitCode = behaviour.exitCode;
    record.module = module;
    record.cwd = CurrentFolder();
    const char* commandLine = GetCommandLineA();
    record.cmdline = commandLine ? commandLine : "";
    AppendLine(module + ".log", standins::FormatRunRecord(record));

    if (behaviour.runMs > 0) {
        Sleep(behaviour.runMs);
    }
    // ExitProcess, not a return: the exit code is a full 32-bit value, and int would not say so.
    ExitProcess(behaviour.exitCode);
}
