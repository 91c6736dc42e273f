// The setup's report of a fatal error in an unattended run, linked the way the shipped setup is: a
// forced allocation failure, or another failure of the runtime, writes its reason in the run's language
// as the last line of the log and ends the process with exit code 2; an allocation failure while an
// installation moves its files into place first puts the earlier installation back, byte for byte.
// Run without arguments it runs each case in a child of its own and prints what went wrong; exits 0
// when all held. Run as `vt_fatal_error_report_check CASE LANGUAGE_POSITION LOG [TARGET]` it is that child.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include <algorithm>
#include <map>

#include "app/services/FatalErrorReport_win.h"
#include "app/services/SetupLog_win.h"
#include "framework/File_win.h"
#include "install/MainSoftwareInstall_win.h"
#include "install/Transaction.h"
#include "tests/win/helpers/ChildRun_win.h"

namespace {

// Where the allocation is kept, so the compiler cannot drop it as unused.
char* volatile kept = nullptr;

volatile std::size_t huge = static_cast<std::size_t>(-1) / 2;
volatile std::size_t pastTheEnd = 5;

std::string DistFolder() {
    std::string path = VT_DIST_DIR;
    std::replace(path.begin(), path.end(), '/', '\\');
    return "Z:" + path + "\\";
}

MainInstallResult::Outcome lastOutcome;
std::string lastFailure;

bool InstallInto(const std::string& target) {
    static CFile setup;
    if (!setup.IsOpen() && !setup.Open(DistFolder() + "VtSetup.exe", CFile::Mode::Read, FILE_SHARE_READ)) {
        return false;
    }
    MainInstallSettings settings;
    settings.targetFolder = target;
    settings.productName = "Vectrace";
    settings.languagePosition = 2;
    settings.setupFolder = DistFolder();
    settings.setupFile = &setup;
    settings.desktopFolder = target + "Desktop\\";
    settings.programsFolder = target + "Programs\\";
    CreateDirectoryA(target.c_str(), nullptr);
    CreateDirectoryA(settings.desktopFolder.c_str(), nullptr);
    CreateDirectoryA(settings.programsFolder.c_str(), nullptr);
    const MainInstallResult result = InstallMainSoftware(settings);
    lastOutcome = result.outcome;
    lastFailure = result.failure.path;
    return result.outcome == MainInstallResult::Outcome::Installed;
}

// Memory runs out once a few files of the installation are in place.
void RunOutAfterThreeMoves(std::size_t moved) {
    if (moved == 3) {
        kept = new char[huge];
    }
}

int FailAsAsked(const std::string& what, int languagePosition, const char* logPath, const char* target) {
    static SetupLog log;
    if (!log.Open(logPath, nullptr)) {
        return 1;
    }
    log.Line(L"Setup started");
    ReportFatalErrorsTo(&log, false, languagePosition);
    if (what == "memory") {
        kept = new char[huge];
    } else if (what == "internal") {
        const std::string empty;
        kept = const_cast<char*>(&empty.at(pastTheEnd));
    } else if (what == "commit") {
        install::Transaction::SetMoveHook(&RunOutAfterThreeMoves);
        if (!InstallInto(std::string(target) + "\\")) {
            log.Line(L"The installation failed before memory ran out: " +
                     std::wstring(lastFailure.begin(), lastFailure.end()) + L" " +
                     std::to_wstring(static_cast<int>(lastOutcome)));
        }
    }
    log.Line(L"Went on");
    return 0;
}

// Every file below `folder` with its bytes.
void ReadTree(const std::string& folder, const std::string& below, std::map<std::string, std::string>* files) {
    WIN32_FIND_DATAA found;
    const HANDLE find = FindFirstFileA((folder + below + "*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) {
        return;
    }
    do {
        const std::string name = found.cFileName;
        if (name == "." || name == "..") {
            continue;
        }
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            (*files)[below + name + "\\"] = std::string();
            ReadTree(folder, below + name + "\\", files);
        } else {
            std::string bytes;
            CFile file;
            if (file.Open(folder + below + name, CFile::Mode::Read, FILE_SHARE_READ)) {
                bytes.resize(static_cast<std::size_t>(file.Length()));
                if (!bytes.empty()) {
                    file.Read(&bytes[0], static_cast<std::uint32_t>(bytes.size()));
                }
            }
            (*files)[below + name] = bytes;
        }
    } while (FindNextFileA(find, &found));
    FindClose(find);
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
    const char* what;
    const char* languagePosition;
    const char* lastLine;  // UTF-8, as the log writes it
};

constexpr const char* kOutOfMemoryChinese =
    "\xE5\x86\x85\xE5\xAD\x98\xE4\xB8\x8D\xE8\xB6\xB3,\xE5\xAE\x89\xE8\xA3\x85\xE7\xA8\x8B\xE5\xBA\x8F"
    "\xE5\xB0\x86\xE9\x80\x80\xE5\x87\xBA\xE3\x80\x82\r\n";  // 内存不足,安装程序将退出。
constexpr const char* kInternalChinese =
    "\xE5\xAE\x89\xE8\xA3\x85\xE7\xA8\x8B\xE5\xBA\x8F\xE5\x86\x85\xE9\x83\xA8\xE9\x94\x99\xE8\xAF\xAF,"
    "\xE5\xB0\x86\xE9\x80\x80\xE5\x87\xBA\xE3\x80\x82\r\n";  // 安装程序内部错误,将退出。

constexpr Case kCases[] = {
    {"memory", "0", kOutOfMemoryChinese},
    {"memory", "1", "Out of memory: the setup will close.\r\n"},
    {"internal", "0", kInternalChinese},
    {"internal", "1", "Internal error: the setup will close.\r\n"},
    {"commit", "1", "Out of memory: the setup will close.\r\n"},
};

}  // namespace

int main(int argc, char** argv) {
    if (argc >= 4) {
        return FailAsAsked(argv[1], std::atoi(argv[2]), argv[3], argc > 4 ? argv[4] : "");
    }
    char program[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, program, MAX_PATH);
    char folder[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, folder);
    const std::string logPath = std::string(folder) + "vt_fatal_error_report.log";
    const std::string target = std::string(folder) + "vt_fatal_error_commit\\";
    int failures = 0;
    for (const Case& one : kCases) {
        const bool commit = std::string(one.what) == "commit";
        std::map<std::string, std::string> before;
        if (commit) {
            // The first version, every file of it marked, so that a byte of the second would show.
            if (!InstallInto(target)) {
                std::printf("FAIL: the first installation into %s\n", target.c_str());
                ++failures;
                continue;
            }
            std::map<std::string, std::string> installed;
            ReadTree(target, "Vectrace\\", &installed);
            for (const auto& [name, bytes] : installed) {
                if (name.back() != '\\') {
                    CFile file;
                    const std::string text = "first version of " + name;
                    if (file.Open(target + name, CFile::Mode::CreateWrite)) {
                        file.Write(text.data(), static_cast<std::uint32_t>(text.size()));
                    }
                }
            }
            ReadTree(target, "", &before);
        }
        DeleteFileA(logPath.c_str());
        std::string command = std::string("\"") + program + "\" " + one.what + " " + one.languagePosition + " \"" +
                              logPath + "\" \"" + target.substr(0, target.size() - 1) + "\"";
        const DWORD exitCode = RunChildAndWait(command);
        const std::string log = ReadWholeLog(logPath);
        const std::string last = one.lastLine;
        const bool endsWithReason =
            log.size() >= last.size() && log.compare(log.size() - last.size(), last.size(), last) == 0;
        const bool startedFirst = log.find("Setup started") != std::string::npos;
        if (exitCode != 2 || !endsWithReason || !startedFirst) {
            std::printf("FAIL: %s in language %s: exit code %lu (expected 2), log:\n%s\n", one.what,
                        one.languagePosition, static_cast<unsigned long>(exitCode), log.c_str());
            ++failures;
        }
        if (commit) {
            std::map<std::string, std::string> after;
            ReadTree(target, "", &after);
            // The copies of the user's changed settings, kept before anything was replaced, are the
            // user's and stay.
            for (auto* tree : {&before, &after}) {
                for (auto file = tree->begin(); file != tree->end();) {
                    file = file->first.find("\\Backup\\") != std::string::npos ? tree->erase(file) : std::next(file);
                }
            }
            if (after != before) {
                std::printf("FAIL: the first version changed when memory ran out during the commit\n");
                for (const auto& [name, bytes] : after) {
                    if (before.count(name) == 0 || before.at(name) != bytes) {
                        std::printf("  %s\n", name.c_str());
                    }
                }
                for (const auto& [name, bytes] : before) {
                    if (after.count(name) == 0) {
                        std::printf("  missing %s\n", name.c_str());
                    }
                }
                ++failures;
            }
        }
    }
    DeleteFileA(logPath.c_str());
    std::printf("%s\n", failures == 0 ? "fatal errors reported" : "fatal error report broken");
    return failures == 0 ? 0 : 1;
}
