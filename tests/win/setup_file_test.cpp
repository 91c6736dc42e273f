// The setup's own file as start-up opens it, seen from outside by a copy of a check program that does
// the same: while it holds its file no other program renames, replaces, deletes or writes it; and a file
// put under its name before it opened it is told from the image that runs.
#include <gtest/gtest.h>

#include <windows.h>

#include "payload/SetupFile_win.h"
#include "tests/win/WineTestSupport_win.h"

using wintest::TempFolder;

namespace {

// vt_setup_file_check started from a copy at `program`; it opens its file once `go` exists and says so
// by `ready`. Ended when the object goes.
class CheckProgram {
public:
    CheckProgram(const std::string& program, const std::string& go, const std::string& ready) : m_ready(ready) {
        std::string command = "\"" + program + "\" \"" + go + "\" \"" + ready + "\"";
        STARTUPINFOA startup = {};
        startup.cb = sizeof(startup);
        if (!CreateProcessA(program.c_str(), &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                            &m_process)) {
            m_process = {};
        }
    }
    ~CheckProgram() { End(); }
    CheckProgram(const CheckProgram&) = delete;
    CheckProgram& operator=(const CheckProgram&) = delete;

    bool Started() const { return m_process.hProcess != nullptr; }
    bool StillRunning() const { return WaitForSingleObject(m_process.hProcess, 0) == WAIT_TIMEOUT; }
    bool WaitReady() const {
        for (int waited = 0; waited < 30000; waited += 50) {
            if (wintest::Exists(m_ready)) {
                return true;
            }
            Sleep(50);
        }
        return false;
    }
    DWORD ExitCode() const {
        DWORD code = 0xFFFFFFFF;
        WaitForSingleObject(m_process.hProcess, 30000);
        GetExitCodeProcess(m_process.hProcess, &code);
        return code;
    }
    void End() {
        if (m_process.hProcess) {
            TerminateProcess(m_process.hProcess, 0);
            WaitForSingleObject(m_process.hProcess, 30000);
            CloseHandle(m_process.hThread);
            CloseHandle(m_process.hProcess);
            m_process = {};
        }
    }

private:
    std::string m_ready;
    PROCESS_INFORMATION m_process = {};
};

const std::string kCheckProgram = wintest::ProgramFolder() + "vt_setup_file_check.exe";
const std::string kOtherProgram = wintest::ProgramFolder() + "vt_hold_file.exe";

}  // namespace

TEST(SetupFile, WhileTheSetupHoldsItsFileNoOtherProgramRenamesReplacesDeletesOrWritesIt) {
    TempFolder work;
    const std::string setup = work / "VtSetup.exe";
    const std::string other = work / "Other.exe";
    ASSERT_TRUE(CopyFileA(kCheckProgram.c_str(), setup.c_str(), FALSE));
    ASSERT_TRUE(CopyFileA(kOtherProgram.c_str(), other.c_str(), FALSE));
    ASSERT_TRUE(wintest::WriteWholeFile(work / "go", ""));
    std::string before;
    ASSERT_TRUE(wintest::ReadWholeFile(setup, before));

    CheckProgram running(setup, work / "go", work / "ready");
    ASSERT_TRUE(running.Started());
    ASSERT_TRUE(running.WaitReady());

    EXPECT_FALSE(MoveFileA(setup.c_str(), (work / "Renamed.exe").c_str()));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
    EXPECT_FALSE(MoveFileExA(other.c_str(), setup.c_str(), MOVEFILE_REPLACE_EXISTING));
    EXPECT_FALSE(DeleteFileA(setup.c_str()));
    const HANDLE writer =
        CreateFileA(setup.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                    OPEN_EXISTING, 0, nullptr);
    EXPECT_EQ(writer, INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
    if (writer != INVALID_HANDLE_VALUE) {
        CloseHandle(writer);
    }
    // Readers may share: a second setup started from the same file still reads it.
    std::string during;
    EXPECT_TRUE(wintest::ReadWholeFile(setup, during));
    EXPECT_TRUE(during == before);

    // It was the setup's handle that held the file.
    running.End();
    EXPECT_TRUE(MoveFileA(setup.c_str(), (work / "Renamed.exe").c_str())) << GetLastError();
}

TEST(SetupFile, AFilePutUnderItsNameBeforeItIsOpenedIsNotTheRunningImage) {
    const struct {
        const char* what;
        const std::string& replacement;
        SetupFileState state;
    } cases[] = {
        {"another program", kOtherProgram, SetupFileState::NotTheRunningImage},
        // Only the headers are compared: a copy of the very same program counts as the image.
        {"a copy of the same program", kCheckProgram, SetupFileState::Open},
    };
    for (const auto& c : cases) {
        TempFolder work;
        const std::string setup = work / "VtSetup.exe";
        ASSERT_TRUE(CopyFileA(kCheckProgram.c_str(), setup.c_str(), FALSE));
        CheckProgram running(setup, work / "go", work / "ready");
        ASSERT_TRUE(running.Started()) << c.what;
        // Nothing holds the running program's file yet: the swap succeeds.
        ASSERT_TRUE(MoveFileA(setup.c_str(), (work / "Old.exe").c_str())) << c.what << ": " << GetLastError();
        ASSERT_TRUE(CopyFileA(c.replacement.c_str(), setup.c_str(), FALSE)) << c.what;
        ASSERT_TRUE(wintest::WriteWholeFile(work / "go", ""));
        ASSERT_TRUE(running.WaitReady()) << c.what;
        if (c.state == SetupFileState::Open) {
            // It holds the file and keeps running.
            EXPECT_TRUE(running.StillRunning()) << c.what;
        } else {
            EXPECT_EQ(running.ExitCode(), static_cast<DWORD>(c.state)) << c.what;
        }
    }
}
