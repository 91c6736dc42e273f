#pragma once
// Resource and control ids shared by the resource script and the code; the numbers are fixed because
// the UI driver and the end-to-end scenarios address controls by them.

#define IDD_ABOUTBOX 100
#define IDD_VTSETUP_DIALOG 102
#define IDD_INSTALL_PATH 129
#define IDD_DRIVER_PROGRESS 130
#define IDD_INSTALL_PROGRESS 132

#define IDS_ABOUTBOX 101
#define IDS_SELECT_INSTALL_PATH 102

#define IDR_MAINFRAME 128

// System-menu command of the About entry.
#define IDM_ABOUTBOX 0x0010

// Main window.
#define IDC_TYPE_LIST 1000
#define IDC_LANGUAGE_LIST 1001
#define IDC_INSTALL 1002
#define IDC_DRIVER_INSTALL_HIDDEN 1008
#define IDC_TYPE_LABEL 1015
#define IDC_LANGUAGE_LABEL 1016
#define IDC_INSTALL_USB_DRIVER 1017

// Install-path dialog.
#define IDC_PATH 1006
#define IDC_BROWSE 1007
#define IDC_AUTO_INSTALL 1011
#define IDC_VERSION_LIST 1012
#define IDC_VERSION_LABEL 1013
#define IDC_PATH_LABEL 1014
#define IDC_EXAMPLE 1019

// Driver progress window.
#define IDC_DRIVER_PROGRESS 1009

// Install progress window (its Cancel button is IDCANCEL).
#define IDC_PROGRESS_STATUS 1020
#define IDC_PROGRESS_BAR 1021
