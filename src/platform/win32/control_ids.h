// Window identifiers of the main window's controls; the end-to-end tests find the controls by them.
#pragma once

// The main window's class, by which the demo and the installer find a running copy.
#define KW_MAIN_WINDOW_CLASS "KopplungswachtHauptfenster"

#define IDC_LABEL1 1000
#define IDC_FILELIST 1001
#define IDC_COMMAND1 1002
#define IDC_COMMAND2 1003
#define IDC_COMMAND3 1004
#define IDC_COMMAND5 1005
#define IDC_LABEL2 1006
#define IDC_TEXT1 1007
#define IDC_AKTIV 1008
#define IDC_COMMAND4 1009
#define IDC_STATUS 1010

#define IDI_KOPPLUNGSWACHT 1

// The input box that edits a list entry.
#define IDD_INPUTBOX 100
#define IDC_INPUT_PROMPT 1100
#define IDC_INPUT_TEXT 1101

// The dialog that chooses the network adapters, opened from the main window's system menu.
#define IDM_ADAPTER 0x0010
#define IDD_ADAPTER 101
#define IDC_ADAPTER_TEXT 1200
#define IDC_ADAPTER_LIST 1201

// The tray menu: one pop-up with the program's name, a separator and "Beenden".
#define IDR_TRAYMENU 102
#define IDM_TRAY_NAME 1
#define IDM_TRAY_QUIT 2
// The system menu's item that opens the adapter dialog.
#define IDS_ADAPTER 200
