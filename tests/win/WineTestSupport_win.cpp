#include "tests/win/WineTestSupport_win.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <fstream>
#include <sstream>

namespace wintest {

TempFolder::TempFolder() {
    char base[MAX_PATH];
    GetTempPathA(MAX_PATH, base);
    static unsigned counter = 0;
    for (;;) {
        m_path =
            std::string(base) + "vt" + std::to_string(GetCurrentProcessId()) + "_" + std::to_string(++counter) + "\\";
        if (CreateDirectoryA(m_path.c_str(), nullptr)) {
            break;
        }
    }
}

TempFolder::~TempFolder() {
    RemoveTree(m_path);
}

CurrentFolder::CurrentFolder(const std::string& folder) {
    GetCurrentDirectoryA(MAX_PATH, m_previous);
    m_entered = SetCurrentDirectoryA(folder.c_str()) != FALSE;
}

void CurrentFolder::Leave() {
    if (m_entered) {
        SetCurrentDirectoryA(m_previous);
        m_entered = false;
    }
}

void RemoveTree(const std::string& folder) {
    std::string base = folder;
    if (!base.empty() && base.back() != '\\') {
        base += '\\';
    }
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((base + "*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = data.cFileName;
            if (name == "." || name == "..") {
                continue;
            }
            const std::string path = base + name;
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(path);
            } else {
                DeleteFileA(path.c_str());
            }
        } while (FindNextFileA(find, &data));
        FindClose(find);
    }
    RemoveDirectoryA(base.c_str());
}

bool WriteWholeFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

bool ReadWholeFile(const std::string& path, std::string& bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return false;
    }
    std::ostringstream content;
    content << in.rdbuf();
    bytes = content.str();
    return true;
}

bool Exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string Content(const std::string& path) {
    std::string bytes;
    return ReadWholeFile(path, bytes) ? bytes : "<missing>";
}

std::string MakeFolder(const std::string& path) {
    CreateDirectoryA(path.c_str(), nullptr);
    return path;
}

namespace {

void CollectFiles(const std::string& base, const std::string& relative, std::vector<std::string>& files) {
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((base + relative + "*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) {
        return;
    }
    do {
        const std::string name = data.cFileName;
        if (name == "." || name == "..") {
            continue;
        }
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            CollectFiles(base, relative + name + "\\", files);
        } else {
            files.push_back(relative + name);
        }
    } while (FindNextFileA(find, &data));
    FindClose(find);
}

}  // namespace

std::vector<std::string> ListFiles(const std::string& folder) {
    std::vector<std::string> files;
    CollectFiles(folder.back() == '\\' ? folder : folder + "\\", "", files);
    std::sort(files.begin(), files.end());
    return files;
}

std::vector<std::pair<std::string, std::string>> Snapshot(const std::string& folder, bool withBackups) {
    const std::string root = folder.back() == '\\' ? folder : folder + "\\";
    std::vector<std::pair<std::string, std::string>> files;
    for (const std::string& name : ListFiles(root)) {
        if (withBackups || ("\\" + name).find("\\Backup\\") == std::string::npos) {
            files.emplace_back(name, Content(root + name));
        }
    }
    return files;
}

bool RunsUnderWine() {
    const HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

std::string ProgramFolder() {
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, length);
    return folder.substr(0, folder.find_last_of('\\') + 1);
}

int RunAndWait(const std::string& commandLine, DWORD timeoutMs) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::string line = commandLine;
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        return -1;
    }
    DWORD code = static_cast<DWORD>(-1);
    if (WaitForSingleObject(process.hProcess, timeoutMs) == WAIT_OBJECT_0) {
        GetExitCodeProcess(process.hProcess, &code);
    } else {
        TerminateProcess(process.hProcess, 1);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return static_cast<int>(code);
}

FileHolder::FileHolder(const std::string& path) {
    const std::string ready = path + ".held";
    // On a loaded machine a Wine process now and then fails to start or dies before it runs: the
    // helper is started again then, and what went wrong is said so a lasting failure can be read.
    for (int attempt = 0; attempt < 3 && !m_holding; ++attempt) {
        DeleteFileA(ready.c_str());
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        std::string line = "\"" + ProgramFolder() + "vt_hold_file.exe\" \"" + path + "\" \"" + ready + "\"";
        if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &m_process)) {
            std::fprintf(stderr, "FileHolder: cannot start vt_hold_file (%lu)\n", GetLastError());
            m_process = {};
            continue;
        }
        for (int i = 0; i < 200 && !m_holding; ++i) {
            m_holding = Exists(ready);
            if (!m_holding && WaitForSingleObject(m_process.hProcess, 50) == WAIT_OBJECT_0) {
                m_holding = Exists(ready);
                break;  // the helper ended
            }
        }
        if (!m_holding) {
            DWORD code = 0;
            GetExitCodeProcess(m_process.hProcess, &code);
            std::fprintf(stderr, "FileHolder: vt_hold_file did not hold %s (exit code %lu)\n", path.c_str(), code);
            TerminateProcess(m_process.hProcess, 0);
            WaitForSingleObject(m_process.hProcess, 5000);
            CloseHandle(m_process.hThread);
            CloseHandle(m_process.hProcess);
            m_process = {};
        }
    }
    DeleteFileA(ready.c_str());
}

FileHolder::~FileHolder() {
    if (m_process.hProcess) {
        TerminateProcess(m_process.hProcess, 0);
        WaitForSingleObject(m_process.hProcess, 5000);
        CloseHandle(m_process.hThread);
        CloseHandle(m_process.hProcess);
    }
}

namespace {

// "2024-05-01 15-30-00": digits where the stamp has digits.
bool IsStamp(const std::string& text) {
    const std::string shape = "0000-00-00 00-00-00";
    if (text.size() != shape.size()) {
        return false;
    }
    for (std::size_t i = 0; i < shape.size(); ++i) {
        if (shape[i] == '0' ? !std::isdigit(static_cast<unsigned char>(text[i])) : text[i] != shape[i]) {
            return false;
        }
    }
    return true;
}

}  // namespace

std::vector<std::string> WithoutBackups(const std::vector<std::string>& files, std::vector<std::string>* backups) {
    std::vector<std::string> kept;
    backups->clear();
    for (const std::string& file : files) {
        const std::size_t at = file.rfind("Backup\\", file.rfind('\\'));
        const bool inBackup =
            at != std::string::npos && (at == 0 || file[at - 1] == '\\') && IsStamp(file.substr(at + 7, 19));
        if (inBackup) {
            backups->push_back(file.substr(0, at + 7) + "<stamp>" + file.substr(at + 7 + 19));
        } else {
            kept.push_back(file);
        }
    }
    std::sort(backups->begin(), backups->end());
    return kept;
}

std::vector<std::string> BackupFolders(const std::string& folder) {
    std::vector<std::string> folders;
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((folder + "Backup\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) {
        return folders;
    }
    do {
        const std::string name = data.cFileName;
        if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && IsStamp(name.substr(0, 19))) {
            folders.push_back(name);
        }
    } while (FindNextFileA(find, &data));
    FindClose(find);
    std::sort(folders.begin(), folders.end());  // before the "\\" is added, so "x" comes before "x (2)"
    for (std::string& name : folders) {
        name = folder + "Backup\\" + name + "\\";
    }
    return folders;
}

}  // namespace wintest
