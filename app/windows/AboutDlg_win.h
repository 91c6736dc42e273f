#pragma once
// The About box opened from the system menu: the template shows everything.

#include "framework/Dialog_win.h"
#include "res/resource.h"

class CAboutDlg : public CDialog {
public:
    CAboutDlg() : CDialog(IDD_ABOUTBOX, nullptr) {}
};
