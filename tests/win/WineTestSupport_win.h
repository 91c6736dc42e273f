#pragma once
// What the Windows tests share: fresh folders, whole-file reads and writes, and child processes, all
// on the real Win32 API of the prefix the test runs in.

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

namespace wintest {

// A new empty folder under the prefix's temp folder, ending in "\"; removed with its content at the end.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::string& Path() const { return m_path; }
    std::string operator/(const std::string& name) const { return m_path + name; }

private:
    std::string m_path;
};

// The process's current folder moved to `folder` until Leave or the end of the scope, whichever comes
// first, so a failed assertion cannot leave a test in a folder about to be removed.
class CurrentFolder {
public:
    explicit CurrentFolder(const std::string& folder);
    ~CurrentFolder() { Leave(); }
    CurrentFolder(const CurrentFolder&) = delete;
    CurrentFolder& operator=(const CurrentFolder&) = delete;
    bool Entered() const { return m_entered; }
    void Leave();

private:
    char m_previous[MAX_PATH] = {};
    bool m_entered = false;
};

void RemoveTree(const std::string& folder);
bool WriteWholeFile(const std::string& path, const std::string& bytes);
// The file's bytes, or false when it cannot be read.
bool ReadWholeFile(const std::string& path, std::string& bytes);
bool Exists(const std::string& path);
// The file's bytes, or "<missing>".
std::string Content(const std::string& path);
// Creates one folder level and gives its path back, so a test can name and make a folder at once.
std::string MakeFolder(const std::string& path);
// Names of the files under a folder, relative to it with "\" separators, sorted.
std::vector<std::string> ListFiles(const std::string& folder);
// Each file under a folder (as ListFiles names it) with its bytes: equal snapshots, an unchanged tree.
// Without backups, the copies kept in "Backup\" folders are left out: they are the user's, and stay
// whatever an installation does.
std::vector<std::pair<std::string, std::string>> Snapshot(const std::string& folder, bool withBackups = true);

// Splits a ListFiles result: the copies an installation kept in "Backup\<date time>\" folders go to
// `backups` (sorted), with the date and time written as "<stamp>" ("QTXCfg\Backup\<stamp>\Laser.ini",
// "Backup\<stamp> (2)\acad.lsp"); the other files come back.
std::vector<std::string> WithoutBackups(const std::vector<std::string>& files, std::vector<std::string>* backups);

// The "Backup\<date time>" folders directly in a folder, oldest first, each ending in "\".
std::vector<std::string> BackupFolders(const std::string& folder);

// True under Wine (its ntdll exports wine_get_version), false on Windows: for the few checks of what
// Wine does not keep, such as access lists.
bool RunsUnderWine();

// The folder of the running test program, ending in "\".
std::string ProgramFolder();

// Runs a program and waits for it; its exit code, or -1 when it could not start or took too long.
int RunAndWait(const std::string& commandLine, DWORD timeoutMs = 60000);

// A running helper that holds a file open without sharing until the object goes.
class FileHolder {
public:
    explicit FileHolder(const std::string& path);
    ~FileHolder();
    FileHolder(const FileHolder&) = delete;
    FileHolder& operator=(const FileHolder&) = delete;
    bool Holding() const { return m_holding; }

private:
    PROCESS_INFORMATION m_process{};
    bool m_holding = false;
};

}  // namespace wintest
