#include "install/MainSoftwareInstall_win.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iostream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "framework/File_win.h"
#include "framework/GbkText_win.h"
#include "install/InstallFailure_win.h"
#include "install/Transaction.h"
#include "install/TransactionFiles_win.h"
#include "tests/win/ScriptedObserver_win.h"
#include "tests/win/WineTestSupport_win.h"

#include <aclapi.h>
#include <sddl.h>

namespace {

// The build's dist and sample payload, seen from Wine through drive Z:.
std::string FromUnix(std::string path) {
    std::replace(path.begin(), path.end(), '/', '\\');
    return "Z:" + path + "\\";
}
const std::string kDist = FromUnix(VT_DIST_DIR);
const std::string kPayload = FromUnix(VT_BUILD_ROOT "/payload-small");

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

using wintest::Content;

// A file's permissions as the system reads them back.
struct Permissions {
    bool read = false;
    bool protectedFromAbove = false;  // SE_DACL_PROTECTED: nothing inherited from the parent
    std::string sddl;                 // the DACL as text, for messages and comparisons
    struct Entry {
        BYTE type;
        BYTE flags;
        ACCESS_MASK mask;
        WELL_KNOWN_SID_TYPE who;  // WinNullSid for any other trustee
    };
    std::vector<Entry> entries;
};

Permissions PermissionsOf(const std::string& path) {
    Permissions permissions;
    PACL dacl = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (GetNamedSecurityInfoA(path.c_str(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr, nullptr, &dacl, nullptr,
                              &descriptor) != ERROR_SUCCESS) {
        return permissions;
    }
    permissions.read = true;
    SECURITY_DESCRIPTOR_CONTROL control = 0;
    DWORD revision = 0;
    GetSecurityDescriptorControl(descriptor, &control, &revision);
    permissions.protectedFromAbove = (control & SE_DACL_PROTECTED) != 0;
    char* text = nullptr;
    if (ConvertSecurityDescriptorToStringSecurityDescriptorA(descriptor, SDDL_REVISION_1, DACL_SECURITY_INFORMATION,
                                                             &text, nullptr)) {
        permissions.sddl = text;
        LocalFree(text);
    }
    for (DWORD i = 0; dacl && i < dacl->AceCount; ++i) {
        ACCESS_ALLOWED_ACE* ace = nullptr;
        if (!GetAce(dacl, i, reinterpret_cast<void**>(&ace))) {
            continue;
        }
        Permissions::Entry entry{ace->Header.AceType, ace->Header.AceFlags, ace->Mask, WinNullSid};
        for (const WELL_KNOWN_SID_TYPE known :
             {WinBuiltinAdministratorsSid, WinLocalSystemSid, WinBuiltinUsersSid, WinWorldSid}) {
            BYTE sid[SECURITY_MAX_SID_SIZE];
            DWORD size = sizeof sid;
            if (CreateWellKnownSid(known, nullptr, sid, &size) && EqualSid(sid, &ace->SidStart)) {
                entry.who = known;
            }
        }
        permissions.entries.push_back(entry);
    }
    LocalFree(descriptor);
    return permissions;
}

std::string IniValue(const std::string& path, const char* section, const char* key) {
    char value[256] = {};
    GetPrivateProfileStringA(section, key, "<none>", value, sizeof value, path.c_str());
    return value;
}

// What "<target>\Vectrace\" must hold: the payload but its serial-driver and plug-in folders, plus the
// loose folders beside the setup and "SoftCfg.ini".
std::vector<std::string> ExpectedFiles() {
    std::vector<std::string> files;
    for (const std::string& file : wintest::ListFiles(kPayload)) {
        const std::string top = Lower(file.substr(0, file.find('\\')));
        if (top != "mxdriver" && top != "contour" && top != "qtxcad" && top != "qtxcorel" && top != "qtxai") {
            files.push_back(file);
        }
    }
    for (const char* folder : {"QTXCfg\\", "QTXDoc\\", "QTXLanguage\\", "QTXRes\\"}) {
        for (const std::string& file : wintest::ListFiles(kDist + folder)) {
            files.push_back(folder + file);
        }
    }
    files.push_back("QTXCfg\\SoftCfg.ini");
    std::sort(files.begin(), files.end());
    files.erase(std::unique(files.begin(), files.end()), files.end());
    return files;
}

class MainSoftwareInstallTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(wintest::Exists(kDist + "VtSetup.exe")) << "no dist at " << kDist << ": run scripts/make-dist.sh";
        CreateDirectoryA((temp / "Desktop\\").c_str(), nullptr);
        CreateDirectoryA((temp / "Programs\\").c_str(), nullptr);
        ASSERT_TRUE(setupFile.Open(kDist + "VtSetup.exe", CFile::Mode::Read, FILE_SHARE_READ));
    }

    MainInstallSettings Settings(const std::string& target, int languagePosition = 2) {
        MainInstallSettings settings;
        settings.targetFolder = target;
        settings.productName = "Vectrace Pro";
        settings.languagePosition = languagePosition;
        settings.setupFolder = kDist;
        settings.setupFile = &setupFile;
        settings.desktopFolder = temp / "Desktop\\";
        settings.programsFolder = temp / "Programs\\";
        return settings;
    }

    // An installation to upgrade, every file of it marked as the first version's, so that a byte the
    // second one wrote would show.
    void FirstVersion(const std::string& target) {
        ASSERT_EQ(InstallMainSoftware(Settings(target)).outcome, MainInstallResult::Outcome::Installed);
        const std::string installed = target + "Vectrace\\";
        for (const std::string& file : wintest::ListFiles(installed)) {
            ASSERT_TRUE(wintest::WriteWholeFile(installed + file, "first version of " + file));
        }
    }

    // Everything in the test's folder (targets and shortcut folders) but the backups of the user's
    // files, which are the user's and stay whatever happens.
    std::vector<std::pair<std::string, std::string>> Tree() { return wintest::Snapshot(temp.Path(), false); }

    void ExpectSecondVersion(const std::string& target) {
        const std::string installed = target + "Vectrace\\";
        std::vector<std::string> backups;
        EXPECT_EQ(wintest::WithoutBackups(wintest::ListFiles(installed), &backups), ExpectedFiles());
        for (const char* file : {"QTXPrograms\\Vectrace.exe", "QTXPrograms\\Uninstall.exe"}) {
            EXPECT_EQ(Content(installed + file), Content(kPayload + file)) << file;
        }
        EXPECT_EQ(Content(installed + "QTXRes\\title.ico"), Content(kDist + "QTXRes\\title.ico"));
        EXPECT_TRUE(wintest::Exists(temp / "Desktop\\Vectrace Pro.lnk"));
    }

    wintest::TempFolder temp;
    CFile setupFile;
};

TEST_F(MainSoftwareInstallTest, InstallsThePayloadLooseFoldersConfigurationAndShortcuts) {
    const std::string target = temp / "Tools";  // no trailing "\"
    const std::string installed = target + "\\Vectrace\\";
    CreateDirectoryA(target.c_str(), nullptr);

    const MainInstallResult result = InstallMainSoftware(Settings(target));

    ASSERT_EQ(result.outcome, MainInstallResult::Outcome::Installed) << result.failure.path;
    EXPECT_EQ(wintest::ListFiles(installed), ExpectedFiles());
    for (const char* plugin : {"QTXCad", "QTXCorel", "QTXAi"}) {
        EXPECT_FALSE(wintest::Exists(installed + plugin)) << plugin;
    }
    EXPECT_EQ(Content(installed + "QTXPrograms\\Vectrace.exe"), Content(kPayload + "QTXPrograms\\Vectrace.exe"));
    EXPECT_EQ(Content(installed + "QTXRes\\title.ico"), Content(kDist + "QTXRes\\title.ico"));
    EXPECT_EQ(IniValue(installed + "QTXCfg\\SoftCfg.ini", "BaseCfg", "Language"), "3");
    EXPECT_EQ(IniValue(installed + "QTXCfg\\SoftCfg.ini", "Machine", "Model"), "QTX-6040");
    EXPECT_TRUE(wintest::Exists(temp / "Desktop\\Vectrace Pro.lnk"));
    EXPECT_TRUE(wintest::Exists(temp / "Programs\\Vectrace\\Vectrace Pro.lnk"));
    EXPECT_TRUE(wintest::Exists(temp / "Programs\\Vectrace\\Uninstall.lnk"));
    EXPECT_EQ(MainInstallMessage(result, install::MessageTable(2)), "");
}

TEST_F(MainSoftwareInstallTest, SecondRunWithTrailingBackslashRewritesTheLanguage) {
    const std::string target = temp / "Tools\\";
    CreateDirectoryA(target.c_str(), nullptr);
    ASSERT_EQ(InstallMainSoftware(Settings(target, 2)).outcome, MainInstallResult::Outcome::Installed);

    EXPECT_EQ(InstallMainSoftware(Settings(target, 0)).outcome, MainInstallResult::Outcome::Installed);

    // The first run wrote its language into "SoftCfg.ini", so that file differs from the shipped one.
    std::vector<std::string> backups;
    EXPECT_EQ(wintest::WithoutBackups(wintest::ListFiles(target + "Vectrace\\"), &backups), ExpectedFiles());
    EXPECT_EQ(backups, std::vector<std::string>{"QTXCfg\\Backup\\<stamp>\\SoftCfg.ini"});
    EXPECT_EQ(IniValue(target + "Vectrace\\QTXCfg\\SoftCfg.ini", "BaseCfg", "Language"), "1");
    EXPECT_FALSE(wintest::Exists(target + "Vectrace\\Vectrace"));
}

TEST_F(MainSoftwareInstallTest, EmptyTargetWritesNothing) {
    const MainInstallResult result = InstallMainSoftware(Settings(""));

    EXPECT_EQ(result.outcome, MainInstallResult::Outcome::PathError);
    EXPECT_TRUE(wintest::ListFiles(temp.Path()).empty());
    EXPECT_EQ(MainInstallMessage(result, install::MessageTable(2)), "The path is error!");
}

// A running Vectrace holds its program open: the file is named before anything is written, and
// nothing is until the user closes it and chooses Retry.
TEST_F(MainSoftwareInstallTest, FileInUseIsNamedBeforeAnythingIsWrittenAndRetryInstalls) {
    const std::string target = temp / "Held\\";
    const std::string exe = target + "Vectrace\\QTXPrograms\\Vectrace.exe";
    FirstVersion(target);
    auto running = std::make_unique<wintest::FileHolder>(exe);
    ASSERT_TRUE(running->Holding());
    const auto before = Tree();

    for (const bool ask : {false, true}) {
        SCOPED_TRACE(ask ? "the user cancels" : "nobody to ask");
        wintest::ScriptedObserver cancel;
        MainInstallSettings settings = Settings(target);
        settings.observer = ask ? &cancel : nullptr;

        const MainInstallResult result = InstallMainSoftware(settings);

        EXPECT_EQ(result.outcome, MainInstallResult::Outcome::FilesInUse);
        ASSERT_EQ(result.found.inUse.size(), 1u);
        EXPECT_EQ(result.found.inUse[0].path, exe);
        EXPECT_EQ(cancel.asked,
                  ask ? std::vector<std::vector<std::string>>{{exe}} : std::vector<std::vector<std::string>>{});
        EXPECT_TRUE(Tree() == before) << "the first version changed";
        EXPECT_EQ(MainInstallMessage(result, install::MessageTable(2)),
                  "These files are in use. Close the program that uses them, then click Retry:");
        EXPECT_EQ(
            MainInstallMessage(result, install::MessageTable(0)),
            "\xd2\xd4\xcf\xc2\xce\xc4\xbc\xfe\xd5\xfd\xd4\xda\xca\xb9\xd3\xc3,\xc7\xeb\xb9\xd8\xb1\xd5\xcf\xe0\xb9\xd8"
            "\xb3\xcc\xd0\xf2\xba\xf3\xb5\xe3\xbb\xf7\xa1\xb0\xd6\xd8\xca\xd4\xa1\xb1:");
    }

    wintest::ScriptedObserver retry;
    retry.onFilesInUse = [&](const std::vector<install::FileInUse>&) {
        running.reset();  // the user closed Vectrace
        return true;
    };
    MainInstallSettings settings = Settings(target);
    settings.observer = &retry;
    const MainInstallResult result = InstallMainSoftware(settings);

    ASSERT_EQ(result.outcome, MainInstallResult::Outcome::Installed) << result.failure.path;
    EXPECT_EQ(retry.asked.size(), 1u);
    ExpectSecondVersion(target);
}

// Opens `path` without sharing once five files are written, as a program started during the
// installation would: the commit then fails when it reaches that file.
void OpenAfterFiveFiles(wintest::ScriptedObserver& observer,
                        const std::string& path,
                        std::unique_ptr<wintest::FileHolder>& opened) {
    observer.betweenFiles = [&opened, path](int written) {
        if (written == 5) {
            opened = std::make_unique<wintest::FileHolder>(path);
        }
        return true;
    };
}

// A program opens a file after the check (here between two files being written): the rename into
// place fails late, and everything the branch did is undone. A stop asked for between two files
// undoes it the same way.
TEST_F(MainSoftwareInstallTest, FailureOrStopOnTheWayLeavesTheFirstVersionAsItWas) {
    const std::string target = temp / "Late\\";
    const std::string exe = target + "Vectrace\\QTXPrograms\\Vectrace.exe";
    FirstVersion(target);
    const auto before = Tree();

    std::unique_ptr<wintest::FileHolder> opened;
    wintest::ScriptedObserver late;
    OpenAfterFiveFiles(late, exe, opened);
    MainInstallSettings settings = Settings(target);
    settings.observer = &late;
    MainInstallResult result = InstallMainSoftware(settings);
    ASSERT_TRUE(opened && opened->Holding());
    opened.reset();

    EXPECT_EQ(result.outcome, MainInstallResult::Outcome::CopyFailed);
    EXPECT_EQ(result.failure.kind, ExtractFailure::Kind::CreateFile);
    EXPECT_EQ(result.failure.path, exe);
    EXPECT_NE(result.failure.systemError, static_cast<DWORD>(ERROR_SUCCESS));
    EXPECT_EQ(MainInstallMessage(result, install::MessageTable(2)), "Can't copy files, error!");
    EXPECT_EQ(late.Noted(install::InstallObserver::Note::RolledBack), std::vector<std::string>{target + "Vectrace\\"});
    EXPECT_TRUE(late.Noted(install::InstallObserver::Note::NotRestored).empty());
    EXPECT_TRUE(Tree() == before) << "the first version changed";
    // The user's changed settings were kept before anything was replaced; that copy is the user's and stays.
    EXPECT_EQ(wintest::BackupFolders(target + "Vectrace\\QTXCfg\\").size(), 1u);

    wintest::ScriptedObserver stop;
    stop.betweenFiles = [](int written) { return written < 40; };
    settings.observer = &stop;
    result = InstallMainSoftware(settings);

    EXPECT_EQ(result.outcome, MainInstallResult::Outcome::Cancelled);
    EXPECT_TRUE(Tree() == before) << "the first version changed";
}

// A file the rollback must remove, held for a second as a virus scanner holds a new program: the
// rollback tries again and completes; the first version stands byte for byte.
std::string heldJournal;
HANDLE heldFile = INVALID_HANDLE_VALUE;

DWORD WINAPI ReleaseAfterASecond(void*) {
    Sleep(1000);
    CloseHandle(heldFile);
    return 0;
}

// After each move: once the journal's last line says a new file was moved in, that file is held.
void HoldTheFirstFileMovedIn(std::size_t) {
    std::string journal;
    if (heldFile != INVALID_HANDLE_VALUE || !ReadJournal(heldJournal, &journal) || journal.size() < 3) {
        return;
    }
    const std::size_t start = journal.rfind('\n', journal.size() - 3) + 1;
    if (journal[start] != 'M') {
        return;
    }
    const std::string destination = journal.substr(journal.rfind('\t') + 1, std::string::npos);
    heldFile = CreateFileA(destination.substr(0, destination.size() - 2).c_str(), GENERIC_READ, 0, nullptr,
                           OPEN_EXISTING, 0, nullptr);
    if (heldFile != INVALID_HANDLE_VALUE) {
        CloseHandle(CreateThread(nullptr, 0, &ReleaseAfterASecond, nullptr, 0, nullptr));
    }
}

TEST_F(MainSoftwareInstallTest, ARollbackTriesAFileHeldForAMomentAgainAndCompletes) {
    const std::string target = temp / "Held\\";
    const std::string exe = target + "Vectrace\\QTXPrograms\\Vectrace.exe";
    FirstVersion(target);
    const auto before = Tree();
    heldJournal = target + "Vectrace\\~vtsetup.rollback\\journal1";
    heldFile = INVALID_HANDLE_VALUE;
    std::unique_ptr<wintest::FileHolder> opened;  // makes the commit fail when it reaches the program
    wintest::ScriptedObserver late;
    OpenAfterFiveFiles(late, exe, opened);
    MainInstallSettings settings = Settings(target);
    settings.observer = &late;
    install::Transaction::SetMoveHook(&HoldTheFirstFileMovedIn);
    const DWORD start = GetTickCount();
    const MainInstallResult result = InstallMainSoftware(settings);
    const DWORD took = GetTickCount() - start;
    install::Transaction::SetMoveHook(nullptr);
    ASSERT_TRUE(opened && opened->Holding());
    opened.reset();

    ASSERT_NE(heldFile, INVALID_HANDLE_VALUE) << "no file was held";
    EXPECT_GE(took, 900u);
    EXPECT_EQ(result.outcome, MainInstallResult::Outcome::CopyFailed);
    EXPECT_EQ(result.failure.path, exe);
    EXPECT_TRUE(late.Noted(install::InstallObserver::Note::NotRestored).empty());
    EXPECT_TRUE(Tree() == before) << "the first version changed";
}

// A first installation stopped on the way leaves no trace: the folders it made go too.
TEST_F(MainSoftwareInstallTest, StoppedFirstInstallationLeavesNothing) {
    wintest::ScriptedObserver stop;
    stop.betweenFiles = [](int written) { return written < 60; };
    MainInstallSettings settings = Settings(temp / "New\\Tools");
    settings.observer = &stop;

    const MainInstallResult result = InstallMainSoftware(settings);

    EXPECT_EQ(result.outcome, MainInstallResult::Outcome::Cancelled);
    EXPECT_EQ(stop.filesWritten, 60);
    EXPECT_EQ(wintest::ListFiles(temp.Path()), std::vector<std::string>{});
    EXPECT_FALSE(wintest::Exists(temp / "New\\Tools\\Vectrace"));
    EXPECT_FALSE(wintest::Exists(temp / "Programs\\Vectrace"));
}

// A shortcut that cannot be saved (its folder is a file here) fails the installation, which is undone:
// nothing is claimed that was not done, and a first installation leaves nothing behind.
TEST_F(MainSoftwareInstallTest, ShortcutThatCannotBeSavedUndoesTheInstallation) {
    ASSERT_TRUE(wintest::WriteWholeFile(temp / "NoDesktop", "a file, not a folder"));
    MainInstallSettings settings = Settings(temp / "Tools");
    settings.desktopFolder = temp / "NoDesktop\\";

    const MainInstallResult result = InstallMainSoftware(settings);

    EXPECT_EQ(result.outcome, MainInstallResult::Outcome::FileFailed);
    EXPECT_EQ(result.failure.path, temp / "NoDesktop\\Vectrace Pro.lnk");
    EXPECT_FALSE(wintest::Exists(temp / "Tools"));
    EXPECT_EQ(wintest::ListFiles(temp.Path()), std::vector<std::string>{"NoDesktop"});
}

// Read-only files of an earlier installation are replaced, not skipped: a user's changed settings file
// is kept in the backup first, as any changed one is.
TEST_F(MainSoftwareInstallTest, ReadOnlyFilesAreReplacedAndTheChangedOneKept) {
    const std::string target = temp / "ReadOnly\\";
    const std::string installed = target + "Vectrace\\";
    ASSERT_EQ(InstallMainSoftware(Settings(target)).outcome, MainInstallResult::Outcome::Installed);
    const std::vector<std::string> readOnly = {installed + "QTXPrograms\\Vectrace.exe",
                                               installed + "QTXCfg\\Laser.ini"};
    ASSERT_TRUE(wintest::WriteWholeFile(readOnly[1], "MaxPower=91\r\n"));
    for (const std::string& path : readOnly) {
        ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
    }
    wintest::ScriptedObserver observer;
    MainInstallSettings settings = Settings(target);
    settings.observer = &observer;

    const MainInstallResult result = InstallMainSoftware(settings);

    ASSERT_EQ(result.outcome, MainInstallResult::Outcome::Installed) << result.failure.path;
    EXPECT_TRUE(observer.asked.empty());
    std::vector<std::string> noted = observer.Noted(install::InstallObserver::Note::ReadOnlyReplaced);
    std::sort(noted.begin(), noted.end());
    EXPECT_EQ(noted, (std::vector<std::string>{readOnly[1], readOnly[0]}));
    EXPECT_EQ(Content(readOnly[0]), Content(kPayload + "QTXPrograms\\Vectrace.exe"));
    EXPECT_EQ(Content(readOnly[1]), Content(kDist + "QTXCfg\\Laser.ini"));
    const std::vector<std::string> backups = wintest::BackupFolders(installed + "QTXCfg\\");
    ASSERT_EQ(backups.size(), 1u);
    EXPECT_EQ(Content(backups[0] + "Laser.ini"), "MaxPower=91\r\n");
}

// What a killed run's journal names is put right by the next run: the original it had set aside and
// not put back returns (and, being the user's changed file, is kept in the backup before it is
// replaced), its temporary file goes. A file named like a temporary file that no journal names stays,
// in the installation and on the desktop alike, and so does a taken read-only temporary name, which the
// run passes over.
TEST_F(MainSoftwareInstallTest, AKilledRunsJournalIsPutRightAndNothingElseIsTouched) {
    const std::string target = temp / "Killed\\";
    const std::string installed = target + "Vectrace\\";
    ASSERT_EQ(InstallMainSoftware(Settings(target)).outcome, MainInstallResult::Outcome::Installed);
    const std::string rollback = installed + "~vtsetup.rollback\\";
    const std::string laser = installed + "QTXCfg\\Laser.ini";
    const std::string killedTemporary = installed + "QTXPrograms\\~vtsetup900.tmp";
    CreateDirectoryA(rollback.c_str(), nullptr);
    ASSERT_TRUE(wintest::WriteWholeFile(rollback + "3", "MaxPower=91\r\n"));  // the user's, set aside
    ASSERT_TRUE(MoveFileA(laser.c_str(), killedTemporary.c_str()));           // its new one, not yet moved in
    ASSERT_TRUE(wintest::WriteWholeFile(rollback + "journal1",
                                        "T\t" + killedTemporary + "\r\nA\t" + laser + "\t" + rollback + "3\r\n"));
    // Every temporary name this run could take first, in one folder, taken and read-only.
    std::vector<std::string> unnamed = {installed + "QTXDoc\\~vtsetup3.tmp", temp / "Desktop\\~vtsetup1.tmp"};
    for (int n = 0; n < 200; ++n) {
        unnamed.push_back(installed + "QTXPrograms\\~vtsetup" + std::to_string(n) + ".tmp");
    }
    for (const std::string& path : unnamed) {
        ASSERT_TRUE(wintest::WriteWholeFile(path, "someone else's"));
        ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
    }
    wintest::ScriptedObserver observer;
    MainInstallSettings settings = Settings(target);
    settings.observer = &observer;

    ASSERT_EQ(InstallMainSoftware(settings).outcome, MainInstallResult::Outcome::Installed);

    EXPECT_EQ(observer.Noted(install::InstallObserver::Note::OriginalRestored), std::vector<std::string>{laser});
    EXPECT_EQ(observer.Noted(install::InstallObserver::Note::LeftoverRemoved),
              (std::vector<std::string>{killedTemporary, rollback}));
    EXPECT_FALSE(wintest::Exists(killedTemporary));
    EXPECT_FALSE(wintest::Exists(installed + "~vtsetup.rollback"));
    for (const std::string& path : unnamed) {
        EXPECT_EQ(Content(path), "someone else's") << path;
    }
    const std::vector<std::string> backups = wintest::BackupFolders(installed + "QTXCfg\\");
    ASSERT_EQ(backups.size(), 1u);
    EXPECT_EQ(Content(backups[0] + "Laser.ini"), "MaxPower=91\r\n");
    for (const std::string& path : unnamed) {
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(path.c_str());
    }
    EXPECT_EQ(observer.Noted(install::InstallObserver::Note::InPlace), std::vector<std::string>{installed});
    ExpectSecondVersion(target);
}

// Another user swaps "QTXDoc" for a link to another program's folder while the files-in-use box stands,
// after the link check: the cleanup of a killed run's leftovers does not delete through it (the other
// folder holds a file named like one), nor does the staging write through it; the branch stops at the
// link, with nothing of the other folder changed. The swap moves the whole install folder aside and a
// folder holding the link into its place (Wine moves a link's target, not the link).
TEST_F(MainSoftwareInstallTest, ALinkPlantedAfterTheCheckIsNeitherCleanedNorWrittenThrough) {
    // On the build's drive, beside the link: Wine moves a folder only within one drive.
    const std::string base = wintest::ProgramFolder() + "swapped_in\\";
    const std::string target = base + "run\\";
    wintest::RemoveTree(target);
    FirstVersion(target);
    const std::string installed = target + "Vectrace";
    const std::string aside = target + "Vectrace.aside";
    const std::string planted = base + "planted";
    const std::string other = base + "other\\";
    ASSERT_TRUE(wintest::WriteWholeFile(other + "~vtsetup0.tmp", "the other program's file"));
    ASSERT_TRUE(wintest::WriteWholeFile(other + "ReadMe.txt", "the other program's read-me"));
    const auto otherBefore = wintest::Snapshot(other);
    auto running = std::make_unique<wintest::FileHolder>(installed + "\\QTXPrograms\\Vectrace.exe");
    ASSERT_TRUE(running->Holding());

    wintest::ScriptedObserver observer;
    bool swapped = false;
    observer.onFilesInUse = [&](const std::vector<install::FileInUse>&) {
        running.reset();
        swapped = MoveFileA(installed.c_str(), aside.c_str()) && MoveFileA(planted.c_str(), installed.c_str());
        return true;
    };
    MainInstallSettings settings = Settings(target);
    settings.observer = &observer;
    const MainInstallResult result = InstallMainSoftware(settings);
    EXPECT_TRUE(wintest::Snapshot(other) == otherBefore) << "the link's target changed";
    // The link goes back where the build keeps it before anything else.
    if (swapped) {
        EXPECT_TRUE(MoveFileA(installed.c_str(), planted.c_str()));
        EXPECT_TRUE(MoveFileA(aside.c_str(), installed.c_str()));
    }

    ASSERT_TRUE(swapped);
    EXPECT_EQ(result.outcome, MainInstallResult::Outcome::PathError);
    EXPECT_EQ(result.failure.kind, ExtractFailure::Kind::Link);
    EXPECT_EQ(result.failure.path, installed + "\\QTXDoc");
    EXPECT_TRUE(observer.Noted(install::InstallObserver::Note::LeftoverRemoved).empty());
    for (const std::string& file : wintest::ListFiles(other)) {
        DeleteFileA((other + file).c_str());
    }
    wintest::RemoveTree(target);
}

// A new folder typed in the dialog: every missing level is made, as users expect of an installer.
TEST_F(MainSoftwareInstallTest, NewTargetSeveralLevelsDeepIsCreated) {
    const std::string target = temp / "New\\Tools\\Laser";

    const MainInstallResult result = InstallMainSoftware(Settings(target));

    ASSERT_EQ(result.outcome, MainInstallResult::Outcome::Installed) << result.failure.path;
    EXPECT_EQ(wintest::ListFiles(target + "\\Vectrace\\"), ExpectedFiles());
}

// An elevated setup's current folder is often System32: a relative target would install there.
TEST_F(MainSoftwareInstallTest, TargetThatIsNotAFullPathIsAPathErrorAndWritesNothing) {
    wintest::CurrentFolder current(wintest::MakeFolder(temp / "Current\\"));
    ASSERT_TRUE(current.Entered());
    for (const char* target : {"Vectrace", "Tools\\Laser", ".\\Tools", "\\Tools", "C:Tools", "D:x"}) {
        SCOPED_TRACE(target);
        const MainInstallResult result = InstallMainSoftware(Settings(target));
        EXPECT_EQ(result.outcome, MainInstallResult::Outcome::PathError);
        EXPECT_EQ(MainInstallMessage(result, install::MessageTable(2)), "The path is error!");
        EXPECT_EQ(MainInstallMessage(result, install::MessageTable(0)),
                  "\xb4\xed\xce\xf3\xb5\xc4\xce\xc4\xbc\xfe\xc4\xbf\xc2\xbc!");
    }
    current.Leave();
    EXPECT_TRUE(wintest::ListFiles(temp.Path()).empty());
    EXPECT_FALSE(wintest::Exists("C:\\Tools"));
    EXPECT_FALSE(wintest::Exists("C:\\Vectrace"));
}

// "SoftVer" from "SetupCfg.ini" names the shortcut files; a path in it would let the elevated setup
// write a shortcut anywhere, so such a name gives the shortcuts the name "Vectrace".
TEST_F(MainSoftwareInstallTest, ProductNameThatIsNoPlainFileNameGivesVectraceShortcuts) {
    const std::string target = temp / "Tools";
    wintest::MakeFolder(temp / "Desktop\\Sub\\");
    for (const char* product : {"..\\Escaped", "Sub\\Nested", "..", "a:b", "a|b", "COM1", ""}) {
        SCOPED_TRACE(product);
        MainInstallSettings settings = Settings(target);
        settings.productName = product;

        ASSERT_EQ(InstallMainSoftware(settings).outcome, MainInstallResult::Outcome::Installed);

        EXPECT_EQ(wintest::ListFiles(temp / "Desktop\\"), std::vector<std::string>{"Vectrace.lnk"});
        EXPECT_EQ(wintest::ListFiles(temp / "Programs\\"),
                  (std::vector<std::string>{"Vectrace\\Uninstall.lnk", "Vectrace\\Vectrace.lnk"}));
        EXPECT_FALSE(wintest::Exists(temp / "Escaped.lnk"));
        DeleteFileA((temp / "Desktop\\Vectrace.lnk").c_str());
        DeleteFileA((temp / "Programs\\Vectrace\\Vectrace.lnk").c_str());
    }
}

// The laser's calibrated settings live in "QTXCfg\": a reinstall puts the shipped ones back, but keeps
// the user's in "QTXCfg\Backup\<date time>\"; a file the user did not change leaves no copy.
TEST_F(MainSoftwareInstallTest, ReinstallKeepsChangedSettingsInABackupAndNeverOverwritesOne) {
    const std::string target = temp / "Tools\\";
    const std::string cfg = target + "Vectrace\\QTXCfg\\";
    ASSERT_EQ(InstallMainSoftware(Settings(target)).outcome, MainInstallResult::Outcome::Installed);
    const std::string shippedLaser = Content(kDist + "QTXCfg\\Laser.ini");
    EXPECT_EQ(Content(cfg + "Laser.ini"), shippedLaser);
    EXPECT_TRUE(wintest::BackupFolders(cfg).empty()) << "nothing was replaced by the first installation";

    std::vector<std::string> calibrations;
    for (const char* power : {"MaxPower=95", "MaxPower=97"}) {
        const std::string calibrated = shippedLaser + power + "\r\n";
        ASSERT_TRUE(wintest::WriteWholeFile(cfg + "Laser.ini", calibrated));
        calibrations.push_back(calibrated);

        ASSERT_EQ(InstallMainSoftware(Settings(target)).outcome, MainInstallResult::Outcome::Installed);

        EXPECT_EQ(Content(cfg + "Laser.ini"), shippedLaser);
        const std::vector<std::string> folders = wintest::BackupFolders(cfg);
        ASSERT_EQ(folders.size(), calibrations.size());
        EXPECT_EQ(Content(folders.back() + "Laser.ini"), calibrated);
        // "SoftCfg.ini" is what this installation writes too (the shipped file, the same language).
        EXPECT_EQ(wintest::ListFiles(folders.back()), std::vector<std::string>{"Laser.ini"});
    }
    // The first copy is still there, untouched by the second.
    EXPECT_EQ(Content(wintest::BackupFolders(cfg).front() + "Laser.ini"), calibrations.front());

    // Nothing changed since: nothing is kept, and no file of the comparison stays behind.
    ASSERT_EQ(InstallMainSoftware(Settings(target)).outcome, MainInstallResult::Outcome::Installed);
    EXPECT_EQ(wintest::BackupFolders(cfg).size(), 2u);
    std::vector<std::string> backups;
    EXPECT_EQ(wintest::WithoutBackups(wintest::ListFiles(target + "Vectrace\\"), &backups), ExpectedFiles());
}

// "SoftCfg.ini" is compared with what the installation makes of it, the shipped file with its Language
// line: the user's own change to it is kept, and so is the file of a run in another language; the
// setup's own file of a run in the same language is not.
TEST_F(MainSoftwareInstallTest, SoftConfigIsKeptWhenItDiffersFromWhatTheInstallationWrites) {
    const std::string target = temp / "Soft\\";
    const std::string cfg = target + "Vectrace\\QTXCfg\\";
    ASSERT_EQ(InstallMainSoftware(Settings(target, 0)).outcome, MainInstallResult::Outcome::Installed);
    const std::string written = Content(cfg + "SoftCfg.ini");
    EXPECT_NE(written, Content(kDist + "QTXCfg\\SoftCfg.ini")) << "the language is written in";

    ASSERT_EQ(InstallMainSoftware(Settings(target, 0)).outcome, MainInstallResult::Outcome::Installed);
    EXPECT_TRUE(wintest::BackupFolders(cfg).empty());
    EXPECT_EQ(Content(cfg + "SoftCfg.ini"), written);

    const std::string edited = written + "Units=inch\r\n";
    ASSERT_TRUE(wintest::WriteWholeFile(cfg + "SoftCfg.ini", edited));
    ASSERT_EQ(InstallMainSoftware(Settings(target, 0)).outcome, MainInstallResult::Outcome::Installed);
    ASSERT_EQ(wintest::BackupFolders(cfg).size(), 1u);
    EXPECT_EQ(Content(wintest::BackupFolders(cfg).back() + "SoftCfg.ini"), edited);
    EXPECT_EQ(Content(cfg + "SoftCfg.ini"), written);

    ASSERT_EQ(InstallMainSoftware(Settings(target, 2)).outcome, MainInstallResult::Outcome::Installed);
    ASSERT_EQ(wintest::BackupFolders(cfg).size(), 2u);
    EXPECT_EQ(Content(wintest::BackupFolders(cfg).back() + "SoftCfg.ini"), written);
    EXPECT_EQ(IniValue(cfg + "SoftCfg.ini", "BaseCfg", "Language"), "3");
}

// Drive S: is a 256 KiB file system mounted by the small_drive fixture; the payload is larger. The
// shortfall is told before anything is written.
TEST_F(MainSoftwareInstallTest, TooSmallDriveIsToldBeforeAnythingIsWritten) {
    if (GetDriveTypeA("S:\\") == DRIVE_NO_ROOT_DIR) {
        GTEST_SKIP() << "no small drive S: here (mounting a tmpfs needs the right to mount)";
    }
    wintest::RemoveTree("S:\\Vectrace\\");
    const std::vector<std::string> before = wintest::ListFiles("S:\\");

    const MainInstallResult result = InstallMainSoftware(Settings("S:\\"));

    EXPECT_EQ(result.outcome, MainInstallResult::Outcome::NoSpace);
    EXPECT_EQ(result.found.spaceFolder, "S:\\Vectrace");
    EXPECT_GE(result.found.missingMegabytes, 1u);
    EXPECT_LT(result.found.missingMegabytes, 100u);
    EXPECT_FALSE(wintest::Exists("S:\\Vectrace"));
    EXPECT_EQ(wintest::ListFiles("S:\\"), before);
    EXPECT_FALSE(wintest::Exists(temp / "Desktop\\Vectrace Pro.lnk"));
}

// The one message of a failed read or write: the lead-in of the kind in the language's column, converted
// from GBK, then the path in the system's code page, then the system's own reason.
TEST(FileFailureMessage, NamesTheKindTheFileAndTheReasonInEachColumn) {
    const struct {
        int languagePosition;
        ExtractFailure::Kind kind;
        const wchar_t* leadIn;
    } cases[] = {
        {0, ExtractFailure::Kind::Read, L"\x8bfb\x53d6\x6587\x4ef6\x5931\x8d25:"},   // 读取文件失败:
        {0, ExtractFailure::Kind::Write, L"\x5199\x5165\x6587\x4ef6\x5931\x8d25:"},  // 写入文件失败:
        {1, ExtractFailure::Kind::Write, L"Can't write the file:"},
        {2, ExtractFailure::Kind::Read, L"Can't read the file:"},
    };
    for (const auto& c : cases) {
        ExtractFailure failure;
        failure.kind = c.kind;
        failure.path = "C:\\Vectrace\\QTXCfg\\Laser.ini";
        failure.systemError = ERROR_ACCESS_DENIED;
        EXPECT_EQ(FileFailureMessage(install::MessageTable(c.languagePosition), failure),
                  std::wstring(c.leadIn) + L"\r\nC:\\Vectrace\\QTXCfg\\Laser.ini\r\n" +
                      SystemErrorTextWide(ERROR_ACCESS_DENIED))
            << c.languagePosition;
    }
}

}  // namespace

// The folder the installation creates gets Program Files' permissions, inherited by everything below,
// none inherited from above; the levels above it are plain folders.
TEST_F(MainSoftwareInstallTest, TheInstallFolderItCreatesHasProgramFilesPermissions) {
    const std::string target = temp / "New\\Deeper";
    const MainInstallResult result = InstallMainSoftware(Settings(target));
    ASSERT_EQ(result.outcome, MainInstallResult::Outcome::Installed) << result.failure.path;
    EXPECT_EQ(result.folder, MainInstallResult::Folder::Created);
    EXPECT_EQ(result.folderPath, target + "\\Vectrace");

    const Permissions folder = PermissionsOf(target + "\\Vectrace");
    const Permissions plain = PermissionsOf(target);  // made as any new folder
    ASSERT_TRUE(folder.read && plain.read);
    std::cout << "the install folder read back: " << folder.sddl << "\n"
              << "a plain folder read back:     " << plain.sddl << "\n"
              << "a file below:                 "
              << PermissionsOf(target + "\\Vectrace\\QTXPrograms\\Vectrace.exe").sddl << "\n";
    if (!folder.protectedFromAbove && wintest::RunsUnderWine()) {
        // Wine keeps no access lists: it turns the descriptor into the Unix mode (rwxr-x---) and reads
        // back one made from that mode. What shows is that Everyone lost what a plain folder gives it.
        EXPECT_TRUE(std::any_of(plain.entries.begin(), plain.entries.end(), [](const Permissions::Entry& e) {
            return e.who == WinWorldSid;
        })) << plain.sddl;
        EXPECT_TRUE(std::none_of(folder.entries.begin(), folder.entries.end(), [](const Permissions::Entry& e) {
            return e.who == WinWorldSid;
        })) << folder.sddl;
        return;
    }
    EXPECT_TRUE(folder.protectedFromAbove) << folder.sddl;
    const struct {
        WELL_KNOWN_SID_TYPE who;
        ACCESS_MASK mask;
    } expected[] = {
        {WinBuiltinAdministratorsSid, FILE_ALL_ACCESS},
        {WinLocalSystemSid, FILE_ALL_ACCESS},
        {WinBuiltinUsersSid, FILE_GENERIC_READ | FILE_GENERIC_EXECUTE},
    };
    ASSERT_EQ(folder.entries.size(), std::size(expected)) << folder.sddl;
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        EXPECT_EQ(folder.entries[i].type, ACCESS_ALLOWED_ACE_TYPE) << folder.sddl;
        EXPECT_EQ(folder.entries[i].flags, OBJECT_INHERIT_ACE | CONTAINER_INHERIT_ACE) << folder.sddl;
        EXPECT_EQ(folder.entries[i].who, expected[i].who) << folder.sddl;
        EXPECT_EQ(folder.entries[i].mask, expected[i].mask) << folder.sddl;
    }
    // Everything below takes the folder's entries, as inherited ones.
    const Permissions file = PermissionsOf(target + "\\Vectrace\\QTXPrograms\\Vectrace.exe");
    ASSERT_EQ(file.entries.size(), std::size(expected)) << file.sddl;
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        EXPECT_TRUE(file.entries[i].flags & INHERITED_ACE) << file.sddl;
        EXPECT_EQ(file.entries[i].who, expected[i].who) << file.sddl;
    }
}

// A folder that exists may have been made by anyone, letting everyone change it (an older setup's, or
// one made in advance under a drive's root): it is given what a new one gets before anything in it is
// read, and everything below it keeps only what it inherits, the entries letting others write gone.
TEST_F(MainSoftwareInstallTest, AnExistingInstallFolderIsGivenProgramFilesPermissions) {
    const std::string target = temp / "Tools";
    const std::string folder = target + "\\Vectrace";
    const std::string below[] = {folder + "\\QTXDoc", folder + "\\QTXDoc\\Notes.txt",
                                 folder + "\\QTXPrograms\\Own.dll"};
    PSECURITY_DESCRIPTOR loose = nullptr;  // Everyone: full control, passed on to everything below
    ASSERT_TRUE(
        ConvertStringSecurityDescriptorToSecurityDescriptorA("D:(A;OICI;FA;;;WD)", SDDL_REVISION_1, &loose, nullptr));
    SECURITY_ATTRIBUTES attributes{sizeof(attributes), loose, FALSE};
    CreateDirectoryA(target.c_str(), nullptr);
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), &attributes));
    ASSERT_TRUE(CreateDirectoryA(below[0].c_str(), &attributes));
    ASSERT_TRUE(CreateDirectoryA((folder + "\\QTXPrograms").c_str(), &attributes));
    for (const std::string& file : {below[1], below[2]}) {
        const HANDLE handle = CreateFileA(file.c_str(), GENERIC_WRITE, 0, &attributes, CREATE_NEW, 0, nullptr);
        ASSERT_NE(handle, INVALID_HANDLE_VALUE) << file;
        CloseHandle(handle);
    }
    LocalFree(loose);
    const auto everyone = [](const Permissions& p) {
        return std::any_of(p.entries.begin(), p.entries.end(),
                           [](const Permissions::Entry& e) { return e.who == WinWorldSid; });
    };
    ASSERT_TRUE(everyone(PermissionsOf(folder))) << PermissionsOf(folder).sddl;

    const MainInstallResult result = InstallMainSoftware(Settings(target));

    ASSERT_EQ(result.outcome, MainInstallResult::Outcome::Installed) << result.failure.path;
    EXPECT_EQ(result.folder, MainInstallResult::Folder::Existed);
    EXPECT_EQ(result.protection.outcome, FolderProtection::Outcome::Protected)
        << result.protection.path << ": " << result.protection.error;
    EXPECT_EQ(result.protection.skippedLinks, 0u);
    const Permissions after = PermissionsOf(folder);
    std::cout << "the existing folder read back: " << after.sddl << "\n"
              << "a file below:                  " << PermissionsOf(below[1]).sddl << "\n";
    EXPECT_FALSE(everyone(after)) << after.sddl;
    for (const std::string& path : below) {
        EXPECT_FALSE(everyone(PermissionsOf(path))) << path << ": " << PermissionsOf(path).sddl;
    }
    if (!after.protectedFromAbove && wintest::RunsUnderWine()) {
        // Wine keeps no access lists (see the new folder's test): what shows is the Unix mode read back.
        return;
    }
    EXPECT_TRUE(after.protectedFromAbove) << after.sddl;
    for (const std::string& path : below) {
        const Permissions permissions = PermissionsOf(path);
        EXPECT_FALSE(permissions.protectedFromAbove) << path;
        ASSERT_EQ(permissions.entries.size(), 3u) << path << ": " << permissions.sddl;
        for (const Permissions::Entry& entry : permissions.entries) {
            EXPECT_TRUE(entry.flags & INHERITED_ACE) << path << ": " << permissions.sddl;
        }
    }
}
