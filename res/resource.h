/*
 * Resource ids of Tav, grouped by what owns them.  Included by tav.rc and by
 * the C++ sources, so it holds nothing but #defines.
 */
#ifndef TAV_RESOURCE_H
#define TAV_RESOURCE_H

/* Icon, cursor, accelerators. */
#define IDI_TAV                 "TAV"
#define IDC_LINKCUR             "LINKCUR"
#define IDA_SETUP               101

/* Menus. */
#define IDR_TRAYMENU            "TrayMenu"
#define IDR_SETUPMENU           "SetupMenu"

/* Dialogs of the setup window (res/setup_dialogs.rc). */
#define IDD_ENTRY               "SetLaunchDlg"
#define IDC_ENTRY_TITLE         1001
#define IDC_ENTRY_PROGRAM       1002
#define IDC_ENTRY_FOLDER        1003
#define IDC_ENTRY_SOUND         1004
#define IDC_BROWSE_PROGRAM      1005
#define IDC_BROWSE_SOUND        1006
#define IDC_ENTRY_PARAMETERS    1010
#define IDC_BROWSE_FOLDER       1011
#define IDC_PLAY_SOUND          1034
#define IDD_SUBMENU_NAME        "ClassNameDlg"
#define IDC_SUBMENU_NAME        1029
#define IDD_ASSIGN_KEY          "SubKeyDlg"
#define IDC_KEY_LIST            1031

/* Commands of the tray menu (launcher window) and of the setup window. */
#define IDM_SETUP               100
#define IDM_OPTIONS             110
#define IDM_ABOUT               120
#define IDM_EXIT                130   /* tray: exit; setup window: end setup */
#define IDM_EDIT                140
#define IDM_DELETE              150
#define IDM_NEW_SUBMENU         160
#define IDM_CUT                 170
#define IDM_COPY                180
#define IDM_PASTE               190
#define IDM_CLEAR_CLIPBOARD     200
#define IDM_EXPORT              210
#define IDM_IMPORT              220
#define IDM_HOTKEY              230   /* setup window: the entry's own key */

/* String table. */
#define IDS_VERSION             1
#define IDS_KEY_WINDOW          2
#define IDS_KEY_KEY             3
#define IDS_KEY_LAUNCH          4
#define IDS_FILTER_PROGRAM      5
#define IDS_FILTER_SOUND        6
#define IDS_ASK_DELETE          7
#define IDS_ASK_DELETE_SUBMENU  8
#define IDS_DEPTH_LIMIT         9
#define IDS_ASK_IME             10
#define IDS_SHADOW_RANGE        11
#define IDS_ASK_STARTUP         12
#define IDS_NEED_TITLE          13
#define IDS_NEED_PROGRAM        14
#define IDS_ASK_OVERWRITE       15
#define IDS_CAPTURE_PROMPT1     16
#define IDS_CAPTURE_PROMPT2     17
#define IDS_CAPTURE_PROMPT3     18
#define IDS_MAKER_URL           19
#define IDS_MAKER_MAIL          20
#define IDS_FOLDER_TITLE        21
#define IDS_PARENT_LINE         22
#define IDS_NO_ITEMS            23
#define IDS_OPEN_TITLE          24
#define IDS_ALPHA_DISABLED      25
#define IDS_ALPHA_PERCENT       26
#define IDS_SAMPLE_COMPUTER     27
#define IDS_SAMPLE_USER         28
#define IDS_IME_SUFFIX          29
#define IDS_MOD_CTRL            30
#define IDS_MOD_ALT             31
#define IDS_MOD_SHIFT           32
#define IDS_DEFAULT_FACE        33
#define IDS_FRAME_STYLES        34
#define IDS_POS_TYPES           35
#define IDS_KEY_NAMES           36
#define IDS_FILTER_INI          37
#define IDS_IMPORT_OK           38
#define IDS_IMPORT_FAILED       39
#define IDS_EXPORT_OK           40
#define IDS_EXPORT_FAILED       41
#define IDS_SAVE_TITLE          42
#define IDS_PASTE_INTO_ITSELF   43
#define IDS_PASTE_TOO_DEEP      44
#define IDS_PASTE_ONTO_HOLDER   45
#define IDS_PATH_TOO_LONG       46
/* 50-59: the options side's notices. */
#define IDS_STARTUP_FAILED      50
#define IDS_HOTKEY_FAILED       51
#define IDS_ASK_OVERWRITE_SUBMENU 52

/* 60-79: keys of their own for entries, and keys already taken. */
#define IDS_KEY_TAKEN           60
#define IDS_KEY_FREE            61
#define IDS_KEY_NONE_FREE       62
#define IDS_KEY_NEEDS_MODIFIER  63
#define IDS_KEY_REMOVE_HINT     64
#define IDS_MOD_WIN             65

#endif
