// Every way an install command ends, against the three things made of it: the exit code of an
// unattended run, the log line, and whether a box is shown (with the words that name its cause).
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "app/commandline/ExitCode_win.h"
#include "app/commands/InstallOutcome_win.h"
#include "framework/GbkText_win.h"

namespace {

using Ending = InstallOutcome::Ending;

InstallOutcome Outcome(Ending ending, ExtractFailure::Kind kind = ExtractFailure::Kind::None, const char* path = "") {
    InstallOutcome outcome;
    outcome.ending = ending;
    outcome.failure.kind = kind;
    outcome.failure.path = path;
    outcome.failure.systemError = *path ? ERROR_ACCESS_DENIED : ERROR_SUCCESS;
    return outcome;
}

TEST(InstallOutcome, EachEndingHasItsExitCodeLogLineAndBox) {
    const std::wstring denied = L": " + SystemErrorTextWide(ERROR_ACCESS_DENIED);
    InstallOutcome inUse = Outcome(Ending::FilesInUse);
    inUse.found.inUse.push_back({"C:\\V\\QTXPrograms\\Vectrace.exe", ERROR_SHARING_VIOLATION});
    InstallOutcome asked = inUse;
    asked.askedAboutFilesInUse = true;
    InstallOutcome noSpace = Outcome(Ending::NoSpace);
    noSpace.found.spaceFolder = "D:\\V";
    noSpace.found.missingMegabytes = 12;
    InstallOutcome autoCadHeld = Outcome(Ending::CouldNotPlace, ExtractFailure::Kind::CreateFile, "C:\\A\\acad.lsp");
    autoCadHeld.notPlacedText = install::MsgCloseAutoCad;
    InstallOutcome corelMissing = Outcome(Ending::HostNotFound);
    corelMissing.notFoundText = install::MsgCorelNotFound;

    const struct {
        const char* name;
        InstallOutcome outcome;
        int exitCode;
        std::wstring logLine;
        std::wstring boxStart;  // empty: no box
    } cases[] = {
        {"installed", Outcome(Ending::Installed), 0, L"", L""},
        {"cancelled", Outcome(Ending::Cancelled), 5,
         L"The installation was cancelled by the user; everything it did was undone", L""},
        {"files in use, asked", asked, 2, L"The installation did not complete.", L""},
        {"files in use, nobody asked", inUse, 2, L"", L"These files are in use."},
        {"no space", noSpace, 2, L"", L"There is not enough free space on the drive to install into:\r\nD:\\V\r\n"},
        {"link", Outcome(Ending::Link, ExtractFailure::Kind::Link, "C:\\V\\Link"), 2,
         L"A link (reparse point) lies on the way: C:\\V\\Link. It is not followed, and nothing was written",
         L"The path is error!"},
        {"path error", Outcome(Ending::PathError), 2, L"", L"The path is error!"},
        {"host not found", corelMissing, 2, L"", L"Can't find Coreldraw!"},
        {"not placed, main", Outcome(Ending::CouldNotPlace, ExtractFailure::Kind::CreateFile, "C:\\V\\a.dll"), 2,
         L"Failed on C:\\V\\a.dll" + denied, L"Can't copy files, error!\r\nC:\\V\\a.dll\r\n"},
        {"not placed, AutoCAD", autoCadHeld, 2, L"Failed on C:\\A\\acad.lsp" + denied,
         L"Please Close AutoCAD, and try to Install!\r\nC:\\A\\acad.lsp\r\n"},
        {"read failed", Outcome(Ending::ReadOrWriteFailed, ExtractFailure::Kind::Read, "C:\\S\\VtSetup.exe"), 2,
         L"Failed on C:\\S\\VtSetup.exe" + denied, L"Can't read the file:\r\nC:\\S\\VtSetup.exe\r\n"},
        {"write failed", Outcome(Ending::ReadOrWriteFailed, ExtractFailure::Kind::Write, "C:\\V\\b.dll"), 2,
         L"Failed on C:\\V\\b.dll" + denied, L"Can't write the file:\r\nC:\\V\\b.dll\r\n"},
        {"setup damaged", Outcome(Ending::SetupDamaged), 2, L"", L"The setup file is damaged"},
        {"setup folder unreadable", Outcome(Ending::SetupFolderUnreadable), 2, L"", L"Can't read the files beside the setup"},
    };
    const install::MessageTable english(2);
    for (const auto& one : cases) {
        SCOPED_TRACE(one.name);
        EXPECT_EQ(ExitCodeOf(one.outcome), one.exitCode);
        EXPECT_TRUE(OutcomeLogLine(one.outcome) == one.logLine) << WideToUtf8(OutcomeLogLine(one.outcome));
        const std::wstring box = OutcomeBox(one.outcome, english);
        if (one.boxStart.empty()) {
            EXPECT_TRUE(box.empty()) << WideToUtf8(box);
        } else {
            EXPECT_EQ(box.rfind(one.boxStart, 0), 0u) << WideToUtf8(box);
        }
    }
}

// What a rollback could not put back is named in the box, with where the original stays.
TEST(InstallOutcome, TheBoxNamesWhereAnOriginalNotPutBackStays) {
    InstallOutcome outcome = Outcome(Ending::CouldNotPlace, ExtractFailure::Kind::CreateFile, "C:\\V\\a.dll");
    outcome.notRestored.push_back({"C:\\V\\QTXCfg\\Laser.ini", "C:\\V\\~vtsetup.rollback\\4"});
    const std::wstring box = OutcomeBox(outcome, install::MessageTable(2));
    const std::wstring tail = L"\r\nC:\\V\\QTXCfg\\Laser.ini\r\n  -> C:\\V\\~vtsetup.rollback\\4";
    ASSERT_GE(box.size(), tail.size());
    EXPECT_TRUE(box.compare(box.size() - tail.size(), tail.size(), tail) == 0) << WideToUtf8(box);
    EXPECT_EQ(ExitCodeOf(outcome), 2);
}

}  // namespace
