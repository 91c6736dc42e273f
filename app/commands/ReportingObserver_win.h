#pragma once
// How an install branch's questions and notes reach the user: through the reporter, so that the window
// asks with a Retry/Cancel box and an unattended run logs every file in use and gives up; and its
// progress to the progress window, whose Cancel stops it, where there is one.

#include <windows.h>

#include "app/commands/InstallProgressDlg_win.h"
#include "app/services/Reporter_win.h"
#include "install/InstallObserver.h"
#include "install/MessageTable.h"

class ReportingObserver : public install::InstallObserver {
public:
    // progress may be null: nothing shows the progress, and the branch runs to its end.
    ReportingObserver(Reporter& reporter,
                      const install::MessageTable& table,
                      HWND window,
                      CInstallProgressDlg* progress)
        : m_reporter(reporter), m_table(table), m_window(window), m_progress(progress) {}
    // The install command is done: the session may end again.
    ~ReportingObserver() {
        if (m_progress) {
            m_progress->Committed();
        }
    }

    bool RetryFilesInUse(const std::vector<install::FileInUse>& files) override;
    bool KeepGoing(std::uint64_t, std::uint64_t) override { return !m_progress || !m_progress->Cancelled(); }
    void Moved(std::uint64_t bytes) override {
        if (m_progress) {
            m_progress->Follow(bytes);
        }
    }
    void Checking(std::uint64_t bytes) override;
    void Writing(std::uint64_t bytes) override;
    void NextFile(const std::string& name, std::uint64_t size) override;
    void Committing() override;
    void Noted(Note note, const std::string& path) override;

    // Whether the user was asked about files in use (and so has been told why nothing was written).
    bool Asked() const { return m_asked; }

private:
    Reporter& m_reporter;
    const install::MessageTable& m_table;
    HWND m_window;
    CInstallProgressDlg* m_progress;
    bool m_asked = false;
};

// The box's text: the lead-in in the table's language, up to ten of the files, "and N more".
std::wstring FilesInUseMessage(const install::MessageTable& table, const std::vector<install::FileInUse>& files);
