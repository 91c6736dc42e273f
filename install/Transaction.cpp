#include "install/Transaction.h"

#include "framework/FormatNumber.h"

namespace install {

bool Transaction::Fail(const std::string& path) {
    m_failedPath = path;
    m_failedError = m_files.LastError();
    return false;
}

bool Transaction::MakeFolder(const std::string& folder, TransactionFiles::FolderKind kind) {
    if (m_files.Exists(folder)) {
        return true;
    }
    if (!m_files.MakeFolder(folder, kind)) {
        return Fail(folder);
    }
    m_steps.push_back({Kind::MadeFolder, folder, std::string()});
    return true;
}

bool Transaction::Made(const std::string& folder) const {
    for (const Step& step : m_steps) {
        if (step.kind == Kind::MadeFolder && step.path == folder) {
            return true;
        }
    }
    return false;
}

void Transaction::Staged(const std::string& temporary) {
    m_steps.push_back({Kind::Staged, temporary, std::string()});
}

bool Transaction::MoveAside(const std::string& path, const std::string& rollbackFolder) {
    bool made = false;
    for (const std::string& folder : m_rollbackFolders) {
        made = made || folder == rollbackFolder;
    }
    if (!made) {
        if (!MakeFolder(rollbackFolder, TransactionFiles::FolderKind::Hidden)) {
            return false;
        }
        m_rollbackFolders.push_back(rollbackFolder);
    }
    // A name a killed run may have left is passed over, never moved onto.
    std::string aside;
    do {
        aside = rollbackFolder + FormatDecimal(++m_asideCount);
    } while (m_files.Exists(aside));
    if (!m_files.Move(path, aside)) {
        return Fail(path);
    }
    m_steps.push_back({Kind::MovedAside, path, aside});
    return true;
}

bool Transaction::Replace(const std::string& temporary,
                          const std::string& destination,
                          const std::string& rollbackFolder) {
    if (m_files.Exists(destination) && !MoveAside(destination, rollbackFolder)) {
        return false;
    }
    if (!m_files.Move(temporary, destination)) {
        return Fail(destination);
    }
    m_steps.push_back({Kind::MovedIn, destination, std::string()});
    return true;
}

bool Transaction::Remove(const std::string& path, const std::string& rollbackFolder) {
    return !m_files.Exists(path) || MoveAside(path, rollbackFolder);
}

void Transaction::Finish() {
    for (const Step& step : m_steps) {
        if (step.kind == Kind::MovedAside) {
            m_files.Remove(step.other);
        }
    }
    for (const std::string& folder : m_rollbackFolders) {
        m_files.RemoveFolder(folder);
    }
    m_steps.clear();
    m_rollbackFolders.clear();
}

std::vector<std::string> Transaction::Rollback() {
    std::vector<std::string> notRestored;
    for (auto step = m_steps.rbegin(); step != m_steps.rend(); ++step) {
        bool undone = true;
        switch (step->kind) {
            case Kind::MovedIn:
                undone = m_files.Remove(step->path);
                break;
            case Kind::MovedAside:
                undone = m_files.Move(step->other, step->path);
                break;
            case Kind::Staged:
                undone = !m_files.Exists(step->path) || m_files.Remove(step->path);
                break;
            case Kind::MadeFolder:
                // A folder someone else put something into meanwhile stays, with that.
                m_files.RemoveFolder(step->path);
                break;
        }
        if (!undone) {
            notRestored.push_back(step->path);
        }
    }
    m_steps.clear();
    m_rollbackFolders.clear();
    return notRestored;
}

}  // namespace install
