#include "install/InstallTransaction_win.h"

#include <windows.h>

#include <algorithm>
#include <memory>

#include "framework/FileFind_win.h"
#include "framework/SystemLeadByte_win.h"
#include "install/BackupName.h"
#include "install/CommitGate_win.h"
#include "install/DiskSpace.h"
#include "install/FileBackup_win.h"
#include "install/FolderFiles_win.h"
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
    const std::size_t separator = payload::LastSeparator(path, IsSystemLeadByte);
    return separator == std::string::npos ? std::string() : path.substr(0, separator + 1);
}

void Tell(InstallObserver* observer, Note note, const std::string& path) {
    if (observer) {
        observer->Noted(note, path);
    }
}

// What a killed run left: its temporary files beside the destinations and the rollback folders. The
// earlier installation is intact (a run is killed while it writes the temporary files) or a mix of
// both versions (killed while it moved them into place); either way this run puts every file in place.
void RemoveLeftovers(const InstallPlan& plan, InstallObserver* observer) {
    std::vector<std::string> folders;
    for (const PlannedFile& file : plan.Files()) {
        const std::string folder = FolderOf(file.destination);
        if (std::find(folders.begin(), folders.end(), folder) == folders.end()) {
            folders.push_back(folder);
        }
    }
    for (const std::string& folder : folders) {
        CFileFind find;
        for (bool more = find.FindFirst(folder + install::kStagedPrefix + "*" + install::kStagedSuffix); more;
             more = find.FindNext()) {
            if (!find.IsDirectory() && MayEnterOrDelete(plan, folder + find.Name()) &&
                DeleteFileA((folder + find.Name()).c_str())) {
                Tell(observer, Note::LeftoverRemoved, folder + find.Name());
            }
        }
    }
    for (const std::string& root : plan.Roots()) {
        const std::string rollback = root + install::kRollbackFolderName;
        if (GetFileAttributesA(rollback.c_str()) != INVALID_FILE_ATTRIBUTES && MayEnterOrDelete(plan, rollback)) {
            // Never entered when it is a link: DeleteFolderFiles leaves a linked folder alone.
            DeleteFolderFiles(rollback);
            if (RemoveDirectoryA(rollback.c_str())) {
                Tell(observer, Note::LeftoverRemoved, rollback);
            }
        }
    }
}

class PlanRun {
public:
    PlanRun(const InstallPlan& plan, CFile& setup, InstallObserver* observer, char* buffer)
        : m_plan(plan),
          m_setup(setup),
          m_observer(observer),
          m_buffer(buffer),
          m_files(&plan),
          m_transaction(m_files) {}

    InstallRun Run(const std::vector<std::string>& readOnly) {
        RemoveLeftovers(m_plan, m_observer);
        if (MakeFolders() && StageFiles() && ReadyToCommit() && MoveIntoPlace()) {
            Tell(m_observer, Note::InPlace, m_plan.Roots()[0]);
            m_transaction.Finish();
            for (const std::string& folder : m_plan.EmptiedFolders()) {
                RemoveDirectoryA(folder.c_str());
            }
            for (const std::string& path : readOnly) {
                Tell(m_observer, Note::ReadOnlyReplaced, path);
            }
            return m_run;
        }
        m_run.rolledBack = !m_transaction.Empty();
        const std::vector<std::string> notRestored = m_transaction.Rollback();
        if (m_run.rolledBack) {
            Tell(m_observer, Note::RolledBack, m_plan.Roots()[0]);
        }
        for (const std::string& path : notRestored) {
            Tell(m_observer, Note::NotRestored, path);
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
    bool MakeFolder(const std::string& folder) {
        for (const std::string& level : install::FolderLevels(folder, IsSystemLeadByte)) {
            const bool isProtected = level + "\\" == m_plan.ProtectedFolder() || level == m_plan.ProtectedFolder();
            if (!m_transaction.MakeFolder(level, isProtected ? install::TransactionFiles::FolderKind::Protected
                                                             : install::TransactionFiles::FolderKind::Plain)) {
                return TransactionFailed();
            }
        }
        return true;
    }

    bool MakeFolders() {
        for (const std::string& folder : m_plan.Folders()) {
            if (!MakeFolder(folder)) {
                return false;
            }
        }
        return true;
    }

    bool StageFiles() {
        std::uint64_t total = 0;
        for (const PlannedFile& file : m_plan.Files()) {
            total += file.size;
        }
        std::uint64_t done = 0;
        std::string folderMade;
        FileBackup backup;
        const std::vector<PlannedFile>& files = m_plan.Files();
        m_written.assign(files.size(), false);
        for (std::size_t i = 0; i < files.size(); ++i) {
            const PlannedFile& file = files[i];
            if (!KeepGoing(done, total)) {
                return false;
            }
            if (m_observer) {
                m_observer->NextFile(NameBelowRoot(file), file.size);
            }
            const std::string folder = FolderOf(file.destination);
            if (folder != folderMade && !MakeFolder(folder)) {
                return false;
            }
            folderMade = folder;
            // In a folder this run made, nothing is there to keep: the file is written under its own name
            // and needs no rename (a rollback removes it with the folder).
            m_written[i] = m_transaction.Made(folder.substr(0, folder.size() - 1));
            const std::string temporary =
                m_written[i] ? file.destination : install::StagedName(file.destination, i, IsSystemLeadByte);
            // Written by name, and so is the user's copy: a link planted since the check would take the
            // bytes elsewhere.
            std::string link = m_files.LinkOnTheWayTo(temporary);
            if (link.empty() && file.keepUsersCopy) {
                link = m_files.LinkOnTheWayTo(folder + install::kBackupFolderName + "\\");
            }
            if (!link.empty()) {
                return StopAtLink(link);
            }
            m_transaction.Staged(temporary);
            if (!WriteStagedFile(file, temporary, m_setup, m_buffer, &m_run.failure)) {
                m_run.stop = Stop::Failed;
                return false;
            }
            // The user's changed file is kept before it is replaced, in a folder that is the user's: no
            // rollback takes it away again. It is compared with the staged file, which is what will stand
            // in its place: for "SoftCfg.ini" the shipped file with the Language line written in, so a
            // reinstall in the same language keeps no copy of what the setup wrote itself.
            if (!m_written[i] && file.keepUsersCopy && !backup.KeepBeforeReplacing(temporary, file.destination)) {
                return Failed(ExtractFailure::Kind::Write, file.destination, GetLastError());
            }
            done += file.size;
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
    std::string NameBelowRoot(const PlannedFile& file) const {
        const std::string& root = m_plan.Roots()[file.root];
        return file.destination.compare(0, root.size(), root) == 0 ? file.destination.substr(root.size())
                                                                   : file.destination;
    }

    // install/CommitGate_win.h: a link found now stops the branch, which is rolled back.
    bool ReadyToCommit() {
        const std::string link = OpenCommit(m_plan, m_observer);
        return link.empty() || StopAtLink(link);
    }

    bool StopAtLink(const std::string& link) {
        m_run.stop = Stop::Link;
        m_run.failure = LinkOnTheWayFailure(link);
        return false;
    }

    // The short step: renames on one volume only.
    bool MoveIntoPlace() {
        const std::vector<std::string>& roots = m_plan.Roots();
        for (const std::string& path : m_plan.Deletions()) {
            if (!m_transaction.Remove(path, roots[0] + install::kRollbackFolderName)) {
                return TransactionFailed();
            }
        }
        const std::vector<PlannedFile>& files = m_plan.Files();
        for (std::size_t i = 0; i < files.size(); ++i) {
            if (!m_written[i] &&
                !m_transaction.Replace(install::StagedName(files[i].destination, i, IsSystemLeadByte),
                                       files[i].destination, roots[files[i].root] + install::kRollbackFolderName)) {
                return TransactionFailed();
            }
        }
        return true;
    }

    const InstallPlan& m_plan;
    CFile& m_setup;
    InstallObserver* m_observer;
    char* m_buffer;
    SystemTransactionFiles m_files;
    Transaction m_transaction;
    InstallRun m_run;
    std::vector<bool> m_written;  // per file of the plan: written under its own name, nothing to move
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
    for (std::size_t i = 0; i < plans.size(); ++i) {
        run = PlanRun(plans[i], setup, observer, buffer.get()).Run(readOnly[i]);
        if (run.stop != Stop::None) {
            break;
        }
    }
    return run;
}
