#include "install/Transaction.h"

#include <algorithm>

#include "framework/FormatNumber.h"

namespace install {

namespace {

Transaction* openTransaction = nullptr;
Transaction::MoveHook moveHook = nullptr;

// Tries `call` until it succeeds or kRetryMilliseconds have passed in pauses.
template <class Call>
bool WithRetries(TransactionFiles& files, Call call) {
    for (unsigned waited = 0;; waited += kRetryPause) {
        if (call()) {
            return true;
        }
        if (waited >= kRetryMilliseconds) {
            return false;
        }
        files.Wait(kRetryPause);
    }
}

}  // namespace

Transaction* OpenTransaction() {
    return openTransaction;
}

void Transaction::SetMoveHook(MoveHook hook) {
    moveHook = hook;
}

bool Transaction::Fail(const std::string& path) {
    m_failedPath.assign(path);
    m_failedError = m_files.LastError();
    return false;
}

bool Transaction::Empty() const {
    for (const Step& step : m_steps) {
        if (step.done) {
            return false;
        }
    }
    return true;
}

bool Transaction::Begin(const std::string& rollbackFolder) {
    m_journalFolder = rollbackFolder;
    if (!m_files.Exists(rollbackFolder)) {
        if (!m_files.MakeFolder(rollbackFolder, TransactionFiles::FolderKind::Hidden)) {
            return Fail(rollbackFolder);
        }
        m_journalFolderMade = true;
    }
    m_rollbackFolders.push_back(rollbackFolder);
    // A journal an earlier run could not finish stays: it still names an original.
    for (unsigned n = 1;; ++n) {
        m_journal = rollbackFolder + kJournalPrefix + FormatDecimal(n);
        if (!m_files.Exists(m_journal)) {
            break;
        }
    }
    if (!m_files.OpenJournal(m_journal)) {
        Fail(m_journal);
        m_journal.clear();
        return false;
    }
    openTransaction = this;
    return true;
}

void Transaction::Journal(char kind, const std::string& first, const std::string& second) {
    if (m_journal.empty()) {
        return;
    }
    // Within the capacity reserved before the commit: no allocation.
    m_line.assign(1, kind);
    if (!first.empty()) {
        m_line.append(1, '\t').append(first);
    }
    if (!second.empty()) {
        m_line.append(1, '\t').append(second);
    }
    m_line.append("\r\n");
    m_files.WriteJournal(m_line);
}

bool Transaction::MakeFolder(const std::string& folder, TransactionFiles::FolderKind kind) {
    if (m_files.Exists(folder)) {
        return true;
    }
    if (!m_files.MakeFolder(folder, kind)) {
        return Fail(folder);
    }
    m_steps.push_back({Kind::MadeFolder, true, folder, std::string()});
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

bool Transaction::Creating(const std::string& temporary) {
    Journal('T', temporary);
    return true;
}

void Transaction::NotCreated(const std::string& temporary) {
    Journal('X', temporary);
}

void Transaction::Staged(const std::string& path) {
    m_steps.push_back({Kind::Staged, true, path, std::string()});
}

bool Transaction::PlanAside(const std::string& path, const std::string& rollbackFolder) {
    bool known = false;
    for (const std::string& folder : m_rollbackFolders) {
        known = known || folder == rollbackFolder;
    }
    if (!known) {
        if (!MakeFolder(rollbackFolder, TransactionFiles::FolderKind::Hidden)) {
            return false;
        }
        m_rollbackFolders.push_back(rollbackFolder);
    }
    // A name an earlier run left is passed over, never moved onto.
    std::string aside;
    do {
        aside = rollbackFolder + FormatDecimal(++m_asideCount);
    } while (m_files.Exists(aside));
    m_steps.push_back({Kind::MoveAside, false, path, std::move(aside)});
    return true;
}

bool Transaction::PlanReplace(const std::string& temporary,
                              const std::string& destination,
                              const std::string& rollbackFolder) {
    if (m_files.Exists(destination) && !PlanAside(destination, rollbackFolder)) {
        return false;
    }
    m_steps.push_back({Kind::MoveIn, false, destination, temporary});
    return true;
}

bool Transaction::PlanRemove(const std::string& path, const std::string& rollbackFolder) {
    return !m_files.Exists(path) || PlanAside(path, rollbackFolder);
}

bool Transaction::Commit() {
    // Everything the moves and their rollback take, taken now.
    std::size_t longest = m_failedPath.size();
    for (const Step& step : m_steps) {
        longest = std::max(longest, step.path.size() + step.other.size());
    }
    m_line.reserve(longest + 8);
    m_failedPath.reserve(longest);
    m_notRestored.reserve(m_steps.size());
    m_committing = true;
    openTransaction = this;
    std::size_t moved = 0;
    for (Step& step : m_steps) {
        if (step.done) {
            continue;
        }
        const bool aside = step.kind == Kind::MoveAside;
        Journal(aside ? 'A' : 'M', aside ? step.path : step.other, aside ? step.other : step.path);
        if (aside ? !m_files.Move(step.path, step.other) : !m_files.Move(step.other, step.path)) {
            return Fail(step.path);
        }
        step.done = true;
        if (moveHook) {
            moveHook(++moved);
        }
    }
    return true;
}

const std::string& Transaction::NotRestoredStandsAt(std::size_t i) const {
    const Step& step = m_steps[m_notRestored[i]];
    return step.kind == Kind::MoveAside ? step.other : m_nowhere;
}

void Transaction::Finish() {
    // From here on the new files stand: a run killed now leaves a journal that says so.
    Journal('C', std::string());
    for (const Step& step : m_steps) {
        if (step.kind == Kind::MoveAside && step.done) {
            m_files.Remove(step.other);
        }
    }
    if (!m_journal.empty()) {
        m_files.CloseJournal();
        m_files.Remove(m_journal);
        m_journal.clear();
    }
    for (const std::string& folder : m_rollbackFolders) {
        m_files.RemoveFolder(folder);
    }
    m_steps.clear();
    m_rollbackFolders.clear();
    m_committing = false;
    openTransaction = nullptr;
}

bool Transaction::Retried(bool (TransactionFiles::*call)(const std::string&), const std::string& path) {
    return WithRetries(m_files, [&] { return (m_files.*call)(path); });
}

bool Transaction::MovedBack(const std::string& from, const std::string& to) {
    return WithRetries(m_files, [&] { return m_files.Move(from, to); });
}

void Transaction::Rollback() {
    m_notRestored.clear();
    // Files first, the last step first; then the folders, once what was put into them is gone.
    for (std::size_t i = m_steps.size(); i-- > 0;) {
        const Step& step = m_steps[i];
        bool undone = true;
        if (!step.done) {
            continue;
        }
        switch (step.kind) {
            case Kind::MoveIn:
                undone = Retried(&TransactionFiles::Remove, step.path);
                break;
            case Kind::MoveAside:
                undone = MovedBack(step.other, step.path);
                break;
            case Kind::Staged:
                undone = !m_files.Exists(step.path) || Retried(&TransactionFiles::Remove, step.path);
                break;
            case Kind::MadeFolder:
                break;
        }
        if (!undone) {
            m_notRestored.push_back(i);
        }
    }
    if (!m_journal.empty()) {
        m_files.CloseJournal();
        // Kept while it names an original that is not back: the next run tries again, and no run
        // deletes that original.
        if (m_notRestored.empty()) {
            m_files.Remove(m_journal);
        }
        m_journal.clear();
    }
    if (m_journalFolderMade) {
        m_files.RemoveFolder(m_journalFolder);
    }
    for (std::size_t i = m_steps.size(); i-- > 0;) {
        if (m_steps[i].kind == Kind::MadeFolder && m_steps[i].done) {
            // A folder someone else put something into meanwhile stays, with that.
            m_files.RemoveFolder(m_steps[i].path);
        }
    }
    // Kept for NotRestoredPath; nothing is left to undo.
    for (Step& step : m_steps) {
        step.done = false;
    }
    m_rollbackFolders.clear();
    m_committing = false;
    openTransaction = nullptr;
}

namespace {

struct JournalLine {
    char kind = 0;
    std::string_view first;
    std::string_view second;
};

std::vector<JournalLine> ParseJournal(std::string_view text) {
    std::vector<JournalLine> lines;
    while (!text.empty()) {
        std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        if (line.empty()) {
            continue;
        }
        JournalLine parsed;
        parsed.kind = line[0];
        const std::size_t tab = line.find('\t');
        if (tab != std::string_view::npos) {
            std::string_view rest = line.substr(tab + 1);
            const std::size_t second = rest.find('\t');
            parsed.first = rest.substr(0, second);
            parsed.second = second == std::string_view::npos ? std::string_view() : rest.substr(second + 1);
        }
        lines.push_back(parsed);
    }
    return lines;
}

}  // namespace

bool ReplayJournal(TransactionFiles& files, std::string_view journal, JournalReport& report) {
    const std::vector<JournalLine> lines = ParseJournal(journal);
    bool committed = false;
    for (const JournalLine& line : lines) {
        committed = committed || line.kind == 'C';
    }
    const auto has = [&](char kind, std::string_view path, bool second) {
        for (const JournalLine& line : lines) {
            if (line.kind == kind && (second ? line.second : line.first) == path) {
                return true;
            }
        }
        return false;
    };
    bool complete = true;
    for (std::size_t i = lines.size(); i-- > 0;) {
        const JournalLine& line = lines[i];
        const std::string first(line.first);
        const std::string second(line.second);
        if (line.kind == 'A' && files.Exists(second)) {
            if (committed) {
                // The new file stands in its place: what it replaced was to be deleted.
                if (WithRetries(files, [&] { return files.Remove(second); })) {
                    report.Removed(second);
                }
                continue;
            }
            // What stands in the original's place is removed only when that run moved it there.
            if (files.Exists(first) && has('M', line.first, true) &&
                WithRetries(files, [&] { return files.Remove(first); })) {
                report.Removed(first);
            }
            if (!files.Exists(first) && WithRetries(files, [&] { return files.Move(second, first); })) {
                report.Restored(first);
            } else {
                report.Stays(first, second);
                complete = false;
            }
        } else if (line.kind == 'T' && !has('X', line.first, false) && files.Exists(first)) {
            if (WithRetries(files, [&] { return files.Remove(first); })) {
                report.Removed(first);
            } else {
                complete = false;
            }
        }
    }
    return complete;
}

}  // namespace install
