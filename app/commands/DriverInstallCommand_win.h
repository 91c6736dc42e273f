#pragma once
// The USB driver command of the main window's two driver buttons (the visible one and the hidden one
// in the top-left corner run the same installation) and of the command line's /TYPE=usbdriver.

#include <string>

#include "drivers/ProgressPacing.h"

class CDialog;
class Reporter;

struct DriverCommandSettings {
    int languagePosition = 0;  // picks the progress window's title
    // The main window, on which the progress window is centred and which takes no input meanwhile;
    // without one the progress window is centred on the screen.
    CDialog* owner = nullptr;
    bool showProgress = true;              // false: no window at all, and no pauses to pace a bar nobody sees
    Reporter* reporter = nullptr;          // where "error!" goes; message boxes when null
    bool waitForPackageInstaller = false;  // true unattended: the run ends after InstallDriver.exe
    // Empty: the driver folders are extracted into the system folder and installed from there; otherwise
    // a folder that holds them already, ending in "\" (tests).
    std::string driverRoot;
    int progressSteps = drivers::kDefaultProgressSteps;
    int pauseMinMs = drivers::kDefaultPauseMinMs;
    int pauseMaxMs = drivers::kDefaultPauseMaxMs;
};

// Runs the driver installation under the wait cursor; silent on success. False when it told a failure.
bool RunDriverCommand(const DriverCommandSettings& settings);
