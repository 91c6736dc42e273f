#pragma once
// An install observer whose answers a test scripts: what it says when files are in use, what happens
// between two files, and what the branch noted, kept for the test to read.

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "install/InstallObserver.h"

namespace wintest {

class ScriptedObserver : public install::InstallObserver {
public:
    // Called with the files each time the branch asks; true retries. Unset: Cancel.
    std::function<bool(const std::vector<install::FileInUse>&)> onFilesInUse;
    // Called after each file is written, with how many were; false stops the branch. Unset: go on.
    std::function<bool(int)> betweenFiles;

    std::vector<std::vector<std::string>> asked;  // the paths named by each question
    std::vector<std::pair<Note, std::string>> notes;
    int filesWritten = 0;

    bool RetryFilesInUse(const std::vector<install::FileInUse>& files) override {
        std::vector<std::string> paths;
        for (const install::FileInUse& file : files) {
            paths.push_back(file.path);
        }
        asked.push_back(paths);
        return onFilesInUse && onFilesInUse(files);
    }
    bool KeepGoing(std::uint64_t, std::uint64_t) override { return !betweenFiles || betweenFiles(++filesWritten); }
    void Noted(Note note, const std::string& path) override { notes.emplace_back(note, path); }

    std::vector<std::string> Noted(Note note) const {
        std::vector<std::string> paths;
        for (const auto& [kind, path] : notes) {
            if (kind == note) {
                paths.push_back(path);
            }
        }
        return paths;
    }
};

}  // namespace wintest
