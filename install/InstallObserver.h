#pragma once
// What an install branch asks of the one who runs it while it works: whether to check the files in use
// again, whether to go on after each file, and what it did that the log should tell. The window and
// the unattended run answer differently (app/); a branch run without one checks once and never stops.

#include <cstdint>
#include <string>
#include <vector>

namespace install {

struct FileInUse {
    std::string path;
    unsigned long systemError = 0;  // why the probe for exclusive write access failed
};

class InstallObserver {
public:
    enum class Note {
        ReadOnlyReplaced,  // a read-only file of the installation: replaced all the same
        LeftoverRemoved,   // a temporary file or rollback folder a killed run's journal names: removed
        OriginalRestored,  // a killed or failed run's journal named it as set aside: put back
        InPlace,           // path: the folder installed into; every file is in place, what they replaced goes next
        RolledBack,        // path: the folder installed into; everything the branch did was undone
        NotRestored,       // path: a file the rollback could not put back as it was
        OriginalStaysAt,   // path: where the original of the NotRestored file before stays; no run deletes it
    };

    // Nothing was written yet and these files are held open or may not be written: true to check
    // again (the user closed the programs), false to end the branch with nothing written.
    virtual bool RetryFilesInUse(const std::vector<FileInUse>& files) = 0;
    // The one question whether to stop, asked while the setup file is checked (after each chunk read)
    // and between two files while new files are written: false stops the command there, and a branch
    // is then undone.
    virtual bool KeepGoing(std::uint64_t bytesDone, std::uint64_t bytesTotal) = 0;
    // Bytes read by the check or written by a copy since the last call, for a progress display to follow
    // (and to keep the windows drawn); never a stop, which waits for KeepGoing.
    virtual void Moved(std::uint64_t /*bytes*/) {}
    // What a progress display follows: the check of the setup file reads `bytes`; the branch then writes
    // `bytes` in all; and the file it writes next, named below its folder, of that size.
    virtual void Checking(std::uint64_t /*bytes*/) {}
    virtual void Writing(std::uint64_t /*bytes*/) {}
    virtual void NextFile(const std::string& /*name*/, std::uint64_t /*size*/) {}
    // Every file is written; they now move into place, and the branch either completes or is rolled
    // back: it cannot be stopped, and nothing should end the run, until the install command is done.
    virtual void Committing() {}
    virtual void Noted(Note note, const std::string& path) = 0;

protected:
    ~InstallObserver() = default;
};

}  // namespace install
