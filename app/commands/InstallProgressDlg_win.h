#pragma once
// The window that stands while an install command runs, where the caption-only banner stood: a status
// line naming the phase and the file, a bar that moves by bytes, and Cancel (Esc and the close box
// too). It is drawn, and takes its own input, only from PumpPaintMessages: the command runs on the same
// thread and is never re-entered. A Cancel the user confirms asks the command to stop at its next file.

#include <windows.h>

#include <cstdint>
#include <string>

#include "framework/Dialog_win.h"
#include "framework/Pacer_win.h"
#include "framework/ProgressScale.h"

class CInstallProgressDlg : public CDialog, private PaintPumpWatcher {
public:
    CInstallProgressDlg(HWND owner, int languagePosition);
    ~CInstallProgressDlg() override;

    // Shows the window centred on the point and follows the command's bytes until it is destroyed.
    bool Open(int centerX, int centerY);
    // The check of the setup file, which reads this many bytes.
    void Checking(std::uint64_t bytes);
    // The installation, which writes this many bytes.
    void Installing(std::uint64_t bytes);
    // The file written next, in the system code page, and its size.
    void NameFile(const std::string& name, std::uint64_t size);
    // The command is done: the bar full.
    void Finish();

    bool Cancelled() const { return m_cancelled; }
    int Position() const { return m_scale.Position(); }

protected:
    bool OnInitDialog() override;
    void OnCancel() override;

private:
    bool Pumped(std::uint64_t bytesMoved) override;
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
};
