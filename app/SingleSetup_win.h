#pragma once
// One setup at a time. A second setup started while one runs would clean up what it takes for a killed
// run's leftovers (the first run's staged files and its rollback folder) while the first one commits,
// and would overwrite its log: it says so and ends, touching nothing.

// Exit code of a second setup: Windows' own for "another installation is in progress"
// (ERROR_INSTALL_ALREADY_RUNNING), which deployment tools read as "try again later".
inline constexpr int kExitAnotherSetupRunning = 1618;

// The box a second setup shows, GBK bytes (code page 936): Simplified Chinese for the Language list's
// first position, English for every other.
inline constexpr const char* kSetupRunningChinese =
    "\xB0\xB2\xD7\xB0\xB3\xCC\xD0\xF2\xD2\xD1\xD4\xDA\xD4\xCB\xD0\xD0\xA1\xA3";  // 安装程序已在运行。
inline constexpr const char* kSetupRunningEnglish = "The setup is already running.";
inline constexpr const char* SetupRunningText(int languagePosition) {
    return languagePosition == 0 ? kSetupRunningChinese : kSetupRunningEnglish;
}

// The machine-wide mutex every setup holds while it runs: taken by the constructor, let go by the
// destructor (or by the system when the process ends). Not held when another setup holds it.
class SetupClaim {
public:
    SetupClaim();
    ~SetupClaim();
    SetupClaim(const SetupClaim&) = delete;
    SetupClaim& operator=(const SetupClaim&) = delete;

    bool Held() const { return m_held; }

private:
    void* m_mutex = nullptr;
    bool m_held = false;
};
