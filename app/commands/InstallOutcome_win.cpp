#include "app/commands/InstallOutcome_win.h"

#include "app/commands/ReportingObserver_win.h"
#include "framework/File_win.h"
#include "framework/FormatNumber.h"
#include "framework/GbkText_win.h"
#include "install/InstallFailure_win.h"

namespace {

using Ending = InstallOutcome::Ending;

// A volume too small: the folder, then the megabytes it lacks.
std::wstring NoSpaceMessage(const install::MessageTable& table, const CheckFindings& found) {
    std::wstring needed = GbkToWide(table.Text(install::MsgSpaceNeeded));
    const std::size_t mark = needed.find(L'%');
    if (mark != std::wstring::npos) {
        needed.replace(mark, 1, FormatDecimalWide(static_cast<long long>(found.missingMegabytes)));
    }
    return GbkToWide(table.Text(install::MsgNoSpace)) + L"\r\n" + AnsiToWide(found.spaceFolder) + L"\r\n" + needed;
}

// The branch's words, then the file that could not be made or moved and the system's reason.
std::wstring NotPlacedMessage(const InstallOutcome& outcome, const install::MessageTable& table) {
    std::wstring message = GbkToWide(table.Text(outcome.notPlacedText));
    if (outcome.failure.kind == ExtractFailure::Kind::CreateFile && !outcome.failure.path.empty()) {
        message +=
            L"\r\n" + AnsiToWide(outcome.failure.path) + L"\r\n" + SystemErrorTextWide(outcome.failure.systemError);
    }
    return message;
}

std::wstring EndingBox(const InstallOutcome& outcome, const install::MessageTable& table) {
    switch (outcome.ending) {
        case Ending::Installed:
        case Ending::Cancelled:
            return std::wstring();
        case Ending::FilesInUse:
            return outcome.askedAboutFilesInUse ? std::wstring() : FilesInUseMessage(table, outcome.found.inUse);
        case Ending::NoSpace:
            return NoSpaceMessage(table, outcome.found);
        case Ending::Link:
        case Ending::PathError:
            return GbkToWide(table.Text(install::MsgPathError));
        case Ending::HostNotFound:
            return GbkToWide(table.Text(outcome.notFoundText));
        case Ending::CouldNotPlace:
            return NotPlacedMessage(outcome, table);
        case Ending::ReadOrWriteFailed:
            return FileFailureMessage(table, outcome.failure);
        case Ending::SetupDamaged:
            return GbkToWide(table.Text(install::MsgSetupDamaged));
        case Ending::SetupFolderUnreadable:
            return GbkToWide(table.Text(install::MsgSetupFolderUnreadable));
    }
    return std::wstring();
}

}  // namespace

std::wstring OutcomeBox(const InstallOutcome& outcome, const install::MessageTable& table) {
    std::wstring box = EndingBox(outcome, table);
    for (const InstallRun::NotRestored& file : outcome.notRestored) {
        box += L"\r\n" + AnsiToWide(file.path);
        if (!file.standsAt.empty()) {
            box += L"\r\n  -> " + AnsiToWide(file.standsAt);
        }
    }
    return box;
}

std::wstring OutcomeLogLine(const InstallOutcome& outcome) {
    const ExtractFailure& failure = outcome.failure;
    switch (outcome.ending) {
        case Ending::Installed:
            return std::wstring();
        case Ending::Cancelled:
            return AnsiToWide("The installation was cancelled by the user; everything it did was undone");
        case Ending::Link:
            return AnsiToWide("A link (reparse point) lies on the way: " + failure.path +
                              ". It is not followed, and nothing was written");
        default:
            break;
    }
    if (!failure.path.empty()) {
        return AnsiToWide("Failed on " + failure.path) +
               (failure.systemError != ERROR_SUCCESS ? L": " + SystemErrorTextWide(failure.systemError) : L"");
    }
    // Without a box of its own the log still says how it ended.
    return outcome.ending == Ending::FilesInUse && outcome.askedAboutFilesInUse
               ? AnsiToWide("The installation did not complete.")
               : std::wstring();
}
