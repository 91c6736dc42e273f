#include "install/InstallTransaction_win.h"

#include <windows.h>

#include <algorithm>
#include <memory>

#include "framework/FileFind_win.h"
#include "framework/PathFolder.h"
#include "framework/SystemLeadByte_win.h"
#include "install/BackupName.h"
#include "install/CommitGate_win.h"
#include "install/DiskSpace.h"
#include "install/FileBackup_win.h"
#include "install/FolderPath.h"
#include "install/LinkOnTheWay_win.h"
#include "install/StagedFile_win.h"
#include "install/Transaction.h"
#include "install/TransactionFiles_win.h"
#include "payload/PayloadFormat.h"

namespace {

using install::InstallObserver;
using install::InstallPlan;
using install::PlannedFile;
using install::Transaction;
using Note = InstallObserver::Note;
using Stop = InstallRun::Stop;

std::string FolderOf(const std::string& path) {
    return std::string(text::FolderOfPath(path, IsSystemLeadByte));
}

void Tell(InstallObserver* observer, Note note, const std::string& path) {
    if (observer) {
        observer->Noted(note, path);
    }
}

// What the journals of an earlier run name, put right: originals it set aside and did not restore put
// back, its temporary files removed (install/Transaction.h). A file named like a temporary file that
// no journal names is not ours to delete, wherever it lies. A journal that still names an original
// not put back stays, and so does that original.
class LeftoverReport : public install::JournalReport {
public:
    explicit LeftoverReport(InstallObserver* observer) : m_observer(observer) {}
    void Restored(const std::string& path) override { Tell(m_observer, Note::OriginalRestored, path); }
    void Removed(const std::string& path) override { Tell(m_observer, Note::LeftoverRemoved, path); }
    void Stays(const std::string& path, const std::string& standsAt) override {
        Tell(m_observer, Note::NotRestored, path);
        Tell(m_observer, Note::OriginalStaysAt, standsAt);
    }

private:
    InstallObserver* m_observer;
};

void PutLeftoversRight(const InstallPlan& plan, InstallObserver* observer) {
    SystemTransactionFiles files(plan);
    LeftoverReport report(observer);
    for (const std::string& root : plan.Roots()) {
        const std::string rollback = root + install::kRollbackFolderName;
        const DWORD attributes = GetFileAttributesA(rollback.c_str());
        // Never entered when it is a link.
        if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_REPARSE_POINT) ||
            !MayEnterOrDelete(plan, rollback)) {
            continue;
        }
        std::vector<std::string> journals;
        CFileFind find;
        for (bool more = find.FindFirst(rollback + install::kJournalPrefix + "*"); more; more = find.FindNext()) {
            if (!find.IsDirectory()) {
                journals.push_back(rollback + find.Name());
            }
        }
        for (const std::string& journal : journals) {
            std::string text;
            if (ReadJournal(journal, &text) && install::ReplayJournal(files, text, report)) {
                files.Remove(journal);
            }
        }
        if (RemoveDirectoryA(rollback.c_str())) {
            Tell(observer, Note::LeftoverRemoved, rollback);
        }
    }
}

// Every plan as one transaction: one failure or stop undoes them all.
class PlansRun {
public:
    PlansRun(const std::vector<InstallPlan>& plans, CFile& setup, InstallObserver* observer, char* buffer)
        : m_plans(plans), m_setup(setup), m_observer(observer), m_buffer(buffer), m_files(plans), m_transaction(m_files) {}

    InstallRun Run(const std::vector<std::vector<std::string>>& readOnly) {
        for (const InstallPlan& plan : m_plans) {
            PutLeftoversRight(plan, m_observer);
        }
        if (MakeFolders() && BeginJournal() && StageFiles() && ReadyToCommit() && PlanCommit() &&
            MoveIntoPlace()) {
            for (const InstallPlan& plan : m_plans) {
                Tell(m_observer, Note::InPlace, plan.Roots()[0]);
            }
            m_transaction.Finish();
            for (std::size_t i = 0; i < m_plans.size(); ++i) {
                for (const std::string& folder : m_plans[i].EmptiedFolders()) {
                    RemoveDirectoryA(folder.c_str());
                }
                for (const std::string& path : readOnly[i]) {
                    Tell(m_observer, Note::ReadOnlyReplaced, path);
                }
            }
            return m_run;
        }
        m_run.rolledBack = !m_transaction.Empty();
        m_transaction.Rollback();
        if (m_run.rolledBack) {
            for (const InstallPlan& plan : m_plans) {
                Tell(m_observer, Note::RolledBack, plan.Roots()[0]);
            }
        }
        for (std::size_t i = 0; i < m_transaction.NotRestoredCount(); ++i) {
            m_run.notRestored.push_back({m_transaction.NotRestoredPath(i), m_transaction.NotRestoredStandsAt(i)});
            Tell(m_observer, Note::NotRestored, m_run.notRestored.back().path);
            if (!m_run.notRestored.back().standsAt.empty()) {
                Tell(m_observer, Note::OriginalStaysAt, m_run.notRestored.back().standsAt);
            }
        }
        return m_run;
    }

private:
    bool Failed(ExtractFailure::Kind kind, const std::string& path, DWORD error) {
        m_run.stop = Stop::Failed;
        m_run.failure.kind = kind;
        m_run.failure.path = path;
        m_run.failure.systemError = error;
        return false;
    }

    bool TransactionFailed() {
        return Failed(ExtractFailure::Kind::CreateFile, m_transaction.FailedPath(), m_transaction.FailedError());
    }

    // Every missing level of the folder, from the top down.
    bool MakeFolder(const InstallPlan& plan, const std::string& folder) {
        for (const std::string& level : install::FolderLevels(folder, IsSystemLeadByte)) {
            const bool isProtected = level + "\\" == plan.ProtectedFolder() || level == plan.ProtectedFolder();
            if (!m_transaction.MakeFolder(level, isProtected ? install::TransactionFiles::FolderKind::Protected
                                                             : install::TransactionFiles::FolderKind::Plain)) {
                return TransactionFailed();
            }
        }
        return true;
    }

    bool MakeFolders() {
        for (const InstallPlan& plan : m_plans) {
            if (!MakeFolder(plan, plan.Roots()[0])) {
                return false;
            }
            for (const std::string& folder : plan.Folders()) {
                if (!MakeFolder(plan, folder)) {
                    return false;
                }
            }
        }
        return true;
    }

    // The journal lies in the first plan's rollback folder and names every file by its full path.
    bool BeginJournal() {
        return m_transaction.Begin(m_plans[0].Roots()[0] + install::kRollbackFolderName) || TransactionFailed();
    }

    // A free temporary name beside the destination: one a killed run or anyone else left is passed over.
    std::string FreeTemporaryName(const std::string& destination) {
        std::string temporary;
        do {
            temporary = install::StagedName(destination, m_nextTemporary++, IsSystemLeadByte);
        } while (GetFileAttributesA(temporary.c_str()) != INVALID_FILE_ATTRIBUTES);
        return temporary;
    }

    // Written under a temporary name, or under its own in a folder this run made; recorded for the
    // rollback only once this run created it.
    bool StageFile(const PlannedFile& file, bool ownName, std::string* written) {
        for (;;) {
            *written = ownName ? file.destination : FreeTemporaryName(file.destination);
            // Written by name, and so is the user's copy: a link planted since the check would take the
            // bytes elsewhere.
            std::string link = m_files.LinkOnTheWayTo(*written);
            if (link.empty() && file.keepUsersCopy) {
                link = m_files.LinkOnTheWayTo(FolderOf(file.destination) + install::kBackupFolderName + "\\");
            }
            if (!link.empty()) {
                return StopAtLink(link);
            }
            if (!ownName) {
                m_transaction.Creating(*written);
            }
            bool created = false;
            const bool ok = WriteStagedFile(
                file, *written, m_setup, m_buffer,
                [this](std::uint64_t bytes) {
                    if (m_observer) {
                        m_observer->Moved(bytes);
                    }
                },
                &m_run.failure, &created);
            if (created) {
                m_transaction.Staged(*written);
            } else if (!ownName) {
                m_transaction.NotCreated(*written);
            }
            if (ok) {
                return true;
            }
            // Taken between the look and the making: the next free name.
            if (ownName || created || !IsNameTaken(m_run.failure)) {
                m_run.stop = Stop::Failed;
                return false;
            }
        }
    }

    bool StageFiles() {
        std::uint64_t total = 0;
        for (const InstallPlan& plan : m_plans) {
            for (const PlannedFile& file : plan.Files()) {
                total += file.size;
            }
        }
        std::uint64_t done = 0;
        FileBackup backup;
        m_temporary.resize(m_plans.size());
        for (std::size_t p = 0; p < m_plans.size(); ++p) {
            const InstallPlan& plan = m_plans[p];
            const std::vector<PlannedFile>& files = plan.Files();
            m_temporary[p].assign(files.size(), std::string());
            std::string folderMade;
            for (std::size_t i = 0; i < files.size(); ++i) {
                const PlannedFile& file = files[i];
                if (!KeepGoing(done, total)) {
                    return false;
                }
                if (m_observer) {
                    m_observer->NextFile(NameBelowRoot(plan, file), file.size);
                }
                const std::string folder = FolderOf(file.destination);
                if (folder != folderMade && !MakeFolder(plan, folder)) {
                    return false;
                }
                folderMade = folder;
                // In a folder this run made, nothing is there to keep: the file is written under its own
                // name and needs no rename (a rollback removes it with the folder).
                const bool ownName = m_transaction.Made(folder.substr(0, folder.size() - 1));
                std::string written;
                if (!StageFile(file, ownName, &written)) {
                    return false;
                }
                if (!ownName) {
                    m_temporary[p][i] = written;
                }
                // The user's changed file is kept before it is replaced, in a folder that is the user's:
                // no rollback takes it away again. It is compared with the staged file, which is what will
                // stand in its place: for "SoftCfg.ini" the shipped file with the Language line written in,
                // so a reinstall in the same language keeps no copy of what the setup wrote itself.
                if (!ownName && file.keepUsersCopy && !backup.KeepBeforeReplacing(written, file.destination)) {
                    return Failed(ExtractFailure::Kind::Write, file.destination, GetLastError());
                }
                done += file.size;
            }
        }
        return KeepGoing(done, total);
    }

    // Asked before each file and after the last: a stop the user asked for comes at a file's boundary.
    bool KeepGoing(std::uint64_t done, std::uint64_t total) {
        if (m_observer && !m_observer->KeepGoing(done, total)) {
            m_run.stop = Stop::Cancelled;
            return false;
        }
        return true;
    }

    // The file as the user knows it: below the folder it is installed into ("QTXPrograms\Vectrace.exe").
    static std::string NameBelowRoot(const InstallPlan& plan, const PlannedFile& file) {
        const std::string& root = plan.Roots()[file.root];
        return file.destination.compare(0, root.size(), root) == 0 ? file.destination.substr(root.size())
                                                                   : file.destination;
    }

    // install/CommitGate_win.h: a link found now stops the run, which is rolled back.
    bool ReadyToCommit() {
        for (const InstallPlan& plan : m_plans) {
            const std::string link = OpenCommit(plan, m_observer);
            if (!link.empty()) {
                return StopAtLink(link);
            }
        }
        return true;
    }

    bool StopAtLink(const std::string& link) {
        m_run.stop = Stop::Link;
        m_run.failure = LinkOnTheWayFailure(link);
        return false;
    }

    // Every move, with the name each original goes aside under, before the first file moves.
    bool PlanCommit() {
        for (std::size_t p = 0; p < m_plans.size(); ++p) {
            const std::vector<std::string>& roots = m_plans[p].Roots();
            for (const std::string& path : m_plans[p].Deletions()) {
                if (!m_transaction.PlanRemove(path, roots[0] + install::kRollbackFolderName)) {
                    return TransactionFailed();
                }
            }
            const std::vector<PlannedFile>& files = m_plans[p].Files();
            for (std::size_t i = 0; i < files.size(); ++i) {
                if (!m_temporary[p][i].empty() &&
                    !m_transaction.PlanReplace(m_temporary[p][i], files[i].destination,
                                               roots[files[i].root] + install::kRollbackFolderName)) {
                    return TransactionFailed();
                }
            }
        }
        return true;
    }

    // The short step: renames on one volume only.
    bool MoveIntoPlace() { return m_transaction.Commit() || TransactionFailed(); }

    const std::vector<InstallPlan>& m_plans;
    CFile& m_setup;
    InstallObserver* m_observer;
    char* m_buffer;
    SystemTransactionFiles m_files;
    Transaction m_transaction;
    InstallRun m_run;
    std::size_t m_nextTemporary = 0;
    // Per plan and file: the temporary name it was written under; empty when under its own name.
    std::vector<std::vector<std::string>> m_temporary;
};

// The first plan whose volume lacks room for what all the plans write on it.
bool FindSpaceShortfall(const std::vector<InstallPlan>& plans, InstallRun& run) {
    std::vector<std::string> volumes(plans.size());
    std::vector<std::uint64_t> needed(plans.size());
    for (std::size_t i = 0; i < plans.size(); ++i) {
        char volume[MAX_PATH] = {};
        if (!GetVolumePathNameA(plans[i].Roots()[0].c_str(), volume, MAX_PATH)) {
            continue;  // no volume to ask: the writing itself will tell
        }
        volumes[i] = volume;
        DWORD sectorsPerCluster = 0, bytesPerSector = 0, freeClusters = 0, clusters = 0;
        const std::uint64_t cluster =
            GetDiskFreeSpaceA(volume, &sectorsPerCluster, &bytesPerSector, &freeClusters, &clusters)
                ? std::uint64_t(sectorsPerCluster) * bytesPerSector
                : 4096;
        needed[i] = plans[i].BytesNeeded(cluster);
    }
    for (std::size_t i = 0; i < plans.size(); ++i) {
        ULARGE_INTEGER available;
        if (volumes[i].empty() || !GetDiskFreeSpaceExA(volumes[i].c_str(), &available, nullptr, nullptr)) {
            continue;
        }
        std::uint64_t onVolume = 0;
        for (std::size_t j = 0; j < plans.size(); ++j) {
            onVolume += volumes[j] == volumes[i] ? needed[j] : 0;
        }
        run.found.missingMegabytes = install::MissingMegabytes(onVolume, available.QuadPart);
        if (run.found.missingMegabytes != 0) {
            const std::string& root = plans[i].Roots()[0];
            run.found.spaceFolder = root.substr(0, root.size() - 1);
            run.stop = Stop::NoSpace;
            return true;
        }
    }
    return false;
}

}  // namespace

std::vector<install::FileInUse> FindFilesInUse(const InstallPlan& plan, std::vector<std::string>* readOnly) {
    std::vector<install::FileInUse> inUse;
    const auto probe = [&](const std::string& path) {
        const DWORD attributes = GetFileAttributesA(path.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES) {
            return;  // nothing there to replace
        }
        // A read-only file is only renamed, then deleted with its attribute cleared: no right to write
        // its bytes is needed. Sharing nothing, the open fails while any program has the file open.
        const bool isReadOnly = (attributes & FILE_ATTRIBUTE_READONLY) != 0;
        const HANDLE file = CreateFileA(path.c_str(), (isReadOnly ? FILE_WRITE_ATTRIBUTES : GENERIC_WRITE) | DELETE, 0,
                                        nullptr, OPEN_EXISTING, 0, nullptr);
        if (file == INVALID_HANDLE_VALUE) {
            inUse.push_back({path, GetLastError()});
            return;
        }
        CloseHandle(file);
        if (isReadOnly && readOnly) {
            readOnly->push_back(path);
        }
    };
    for (const PlannedFile& file : plan.Files()) {
        probe(file.destination);
    }
    for (const std::string& path : plan.Deletions()) {
        probe(path);
    }
    return inUse;
}

InstallRun RunInstallPlans(const std::vector<InstallPlan>& plans, CFile& setup, InstallObserver* observer) {
    InstallRun run;
    for (const InstallPlan& plan : plans) {
        const std::string link = SystemLinkGuard(plan).FirstLink();
        if (!link.empty()) {
            run.stop = Stop::Link;
            run.failure = LinkOnTheWayFailure(link);
            return run;
        }
    }
    std::vector<std::vector<std::string>> readOnly(plans.size());
    for (;;) {
        run.found.inUse.clear();
        for (std::size_t i = 0; i < plans.size(); ++i) {
            readOnly[i].clear();
            const std::vector<install::FileInUse> found = FindFilesInUse(plans[i], &readOnly[i]);
            run.found.inUse.insert(run.found.inUse.end(), found.begin(), found.end());
        }
        if (run.found.inUse.empty()) {
            break;
        }
        if (!observer || !observer->RetryFilesInUse(run.found.inUse)) {
            run.stop = Stop::FilesInUse;
            return run;
        }
    }
    if (FindSpaceShortfall(plans, run)) {
        return run;
    }
    if (observer) {
        std::uint64_t total = 0;
        for (const InstallPlan& plan : plans) {
            for (const PlannedFile& file : plan.Files()) {
                total += file.size;
            }
        }
        observer->Writing(total);
    }
    const std::unique_ptr<char[]> buffer(new char[payload::kCopyBufferSize]);
    InstallRun done = PlansRun(plans, setup, observer, buffer.get()).Run(readOnly);
    done.found = run.found;
    return done;
}
