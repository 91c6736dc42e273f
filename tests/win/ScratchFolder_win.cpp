#include "tests/win/ScratchFolder_win.h"

#include <atomic>

ScratchFolder::ScratchFolder() {
    static std::atomic<int> counter{0};
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    m_path = std::string(temp) + "vt_" + std::to_string(GetCurrentProcessId()) + "_" + std::to_string(++counter) + "\\";
    RemoveTree(m_path);
    CreateDirectoryA(m_path.c_str(), nullptr);
}

ScratchFolder::~ScratchFolder() {
    RemoveTree(m_path);
}

std::string ScratchFolder::Make(const std::string& name) {
    const std::string path = m_path + name;
    if (!name.empty() && name.back() == '\\') {
        CreateDirectoryA(path.c_str(), nullptr);
    }
    return path;
}

void WriteTextFile(const std::string& path, const std::string& content, DWORD attributes) {
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
    CloseHandle(file);
    SetFileAttributesA(path.c_str(), attributes);
}

std::string ReadTextFile(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return "<missing>";
    }
    std::string content;
    char buffer[4096];
    DWORD done = 0;
    while (ReadFile(file, buffer, sizeof buffer, &done, nullptr) && done > 0) {
        content.append(buffer, done);
    }
    CloseHandle(file);
    return content;
}

bool PathExists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string ExecutableFolder() {
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, length);
    return folder.substr(0, folder.rfind('\\') + 1);
}

void RemoveTree(const std::string& folder) {
    WIN32_FIND_DATAA entry;
    HANDLE find = FindFirstFileA((folder + "*").c_str(), &entry);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = entry.cFileName;
            if (name == "." || name == "..") {
                continue;
            }
            const std::string path = folder + name;
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(path + "\\");
            } else {
                DeleteFileA(path.c_str());
            }
        } while (FindNextFileA(find, &entry));
        FindClose(find);
    }
    RemoveDirectoryA(folder.c_str());
}
