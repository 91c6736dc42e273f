#pragma once
// The USB driver command of the main window's two driver buttons (the visible one and the hidden one
// in the top-left corner run the same installation).

class CSetupDlg;

// Runs the driver installation under the wait cursor with its progress window centred on the main
// window, titled in the language chosen in the Language list at this moment. Silent on success.
void RunDriverInstallCommand(CSetupDlg& window);
