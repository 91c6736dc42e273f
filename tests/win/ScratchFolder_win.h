#pragma once
// A fresh folder under the temporary folder for one test, removed with everything in it afterwards,
// read-only files included; and small helpers to lay out and read back files.

#include <windows.h>

#include <string>

class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    // The folder's path, ending in "\".
    const std::string& Path() const { return m_path; }
    // Path() + name; a name ending in "\" is created as a folder.
    std::string Make(const std::string& name);

private:
    std::string m_path;
};

void WriteTextFile(const std::string& path, const std::string& content, DWORD attributes = FILE_ATTRIBUTE_NORMAL);
// The file's bytes, or "<missing>" when it can't be read.
std::string ReadTextFile(const std::string& path);
bool PathExists(const std::string& path);
// The folder of the running test executable, ending in "\".
std::string ExecutableFolder();
void RemoveTree(const std::string& folder);
