#pragma once
// The window that stands while an install command runs, where the caption-only banner stood: a status
// line naming the phase and the file, a bar that moves by bytes, and Cancel (Esc and the close box
// too). It is drawn, and takes its own input, only when the command tells it the bytes it moved (Follow):
// the command runs on the same thread and is never re-entered. A Cancel the user confirms is kept
// (Cancelled) for the command's next question whether to go on (InstallObserver::KeepGoing).

#include <windows.h>

#include <cstdint>
#include <string>

#include "framework/Dialog_win.h"
#include "framework/Pacer_win.h"
#include "framework/ProgressScale.h"

class CInstallProgressDlg : public CDialog {
public:
    CInstallProgressDlg(HWND owner, int languagePosition);
    ~CInstallProgressDlg() override;

    // Shows the window centred on the point.
    bool Open(int centerX, int centerY);
    // The command moved these bytes since the last call: the bar follows them, and at the pace of
    // framework/Pacer_win.h the window takes its input (Cancel and its question), is drawn, and lets the
    // other windows paint.
    void Follow(std::uint64_t bytesMoved);
    // The check of the setup file, which reads this many bytes.
    void Checking(std::uint64_t bytes);
    // The installation, which writes this many bytes.
    void Installing(std::uint64_t bytes);
    // The file written next, in the system code page, and its size.
    void NameFile(const std::string& name, std::uint64_t size);
    // The command is done: the bar full.
    void Finish();
    // Every file is written and they now move into place: Cancel is disabled for good, the status says
    // the installation is being finished, and Windows is asked not to end the session (a logoff or
    // shutdown is answered "not now", with the reason shown) until Committed.
    void Committing();
    // The branch is complete or rolled back: Windows may end the session again. Cancel stays disabled.
    void Committed();

    bool Cancelled() const { return m_cancelled; }
    bool HoldsSession() const { return m_holdingSession; }
    int Position() const { return m_scale.Position(); }

protected:
    bool OnInitDialog() override;
    void OnCancel() override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void TakeInput();
    void Draw();
    std::wstring FittedStatus() const;

    int m_language;
    ProgressScale m_scale;
    std::uint64_t m_filesDone = 0;  // bytes of the files written before the current one
    std::uint64_t m_fileSize = 0;   // of the current one
    std::wstring m_status;
    std::wstring m_drawnStatus;
    int m_drawnPosition = -1;
    Pacer m_drawPace;
    bool m_cancelled = false;
    bool m_asking = false;
    bool m_committing = false;
    bool m_holdingSession = false;
};
