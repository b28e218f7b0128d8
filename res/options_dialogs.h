/*
 * Dialog templates and control ids of the options side: the options dialog,
 * the launcher-key capture dialog and the about box (options_dialogs.rc).
 * Plain #defines, for the .rc file and the C++ sources alike.
 */
#ifndef TAV_RES_OPTIONS_DIALOGS_H
#define TAV_RES_OPTIONS_DIALOGS_H

#define IDD_OPTIONS             "SetupDlg"
#define IDD_KEY_CAPTURE         "CustKeyDlg"
#define IDD_ABOUT               "AboutDlg"

/* Options dialog "SetupDlg". */
#define IDC_MAIN_COLOR          1007
#define IDC_TEXT_COLOR          1008
#define IDC_SHADOW_COLOR        1009
#define IDC_SELECT_TEXT_COLOR   1012
#define IDC_SELECT_SHADOW_COLOR 1013
#define IDC_LAUNCHER_KEY        1014
#define IDC_FONT                1015
#define IDC_USE_GRAD            1016
#define IDC_GRAD_COLOR          1017
#define IDC_VGRAD               1018
#define IDC_ALPHA_SLIDER        1019
#define IDC_USE_ALPHA           1020
#define IDC_HIDE_EMPTY_KEYS     1021
#define IDC_ALPHA_LABEL         1026
#define IDC_SHADOW_OFFSET       1027
#define IDC_SHADOW_SPIN         1028
#define IDC_FRAME               1030
#define IDC_STARTUP             1032
#define IDC_KEY_TEXT            1033
#define IDC_POSITION            1035
#define IDC_SMOOTH              1036
#define IDC_SAVE_CURSOR         1038
#define IDC_FOREGROUND          1039

/* About box "AboutDlg": the two link fields. */
#define IDC_MAKER_URL           1023
#define IDC_MAKER_MAIL          1024

#endif
