#include "app/commands/ReportingObserver_win.h"

#include "framework/File_win.h"
#include "framework/GbkText_win.h"
#include "install/FilesInUseText.h"

std::wstring FilesInUseMessage(const install::MessageTable& table, const std::vector<install::FileInUse>& files) {
    std::vector<std::wstring> paths;
    for (const install::FileInUse& file : files) {
        paths.push_back(AnsiToWide(file.path.c_str()));
    }
    return install::FilesInUseText(GbkToWide(table.Text(install::MsgFilesInUse)), paths,
                                   GbkToWide(table.Text(install::MsgMoreFiles)));
}

bool ReportingObserver::RetryFilesInUse(const std::vector<install::FileInUse>& files) {
    m_asked = true;
    for (const install::FileInUse& file : files) {
        m_reporter.Step(L"In use: " + AnsiToWide(file.path.c_str()) + L": " + SystemErrorTextWide(file.systemError));
    }
    const bool retry = m_reporter.AskRetry(FilesInUseMessage(m_table, files), m_window);
    if (!retry) {
        m_reporter.Step("Nothing was written");
    }
    return retry;
}

void ReportingObserver::Checking(std::uint64_t bytes) {
    if (m_progress) {
        m_progress->Checking(bytes);
    }
}

void ReportingObserver::Writing(std::uint64_t bytes) {
    if (m_progress) {
        m_progress->Installing(bytes);
    }
}

void ReportingObserver::NextFile(const std::string& name, std::uint64_t size) {
    if (m_progress) {
        m_progress->NameFile(name, size);
    }
}

void ReportingObserver::Committing() {
    if (m_progress) {
        m_progress->Committing();
    }
}

void ReportingObserver::Noted(Note note, const std::string& path) {
    const char* lead = "";
    const char* tail = "";
    switch (note) {
        case Note::ReadOnlyReplaced:
            lead = "Read-only, replaced all the same: ";
            break;
        case Note::LeftoverRemoved:
            lead = "Left by an interrupted run, removed: ";
            break;
        case Note::OriginalRestored:
            lead = "Set aside by an interrupted run, put back: ";
            break;
        case Note::InPlace:
            lead = "Every file in place in ";
            break;
        case Note::RolledBack:
            lead = "Rolled back: everything written into ";
            tail = " was undone";
            break;
        case Note::NotRestored:
            lead = "Could not be put back as it was: ";
            break;
        case Note::OriginalStaysAt:
            lead = "Its original stays at ";
            tail = "; no setup deletes it";
            break;
    }
    m_reporter.Step(lead + path + tail);
}
