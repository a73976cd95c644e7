#pragma once
// Resource ids of the program. The numbers are those of the card files' home program and of its saved
// settings and menus: never renumber. Dialogs, controls, commands, strings, icons and bitmaps each live in
// a space of their own, so one number may serve in two spaces (IDC_FIELD1 and ID_ENCRYPT_FILE are both
// 1013). The framework's standard ids come from afxres.h.
#include "framework/afxres.h"

// Menus, document types, the toolbar, the accelerator table and the frame title share their number.
constexpr int IDR_MAINFRAME = 128;
constexpr int IDR_PLAINTYPE = 129;
constexpr int IDR_ENCRYPTEDTYPE = 130;
constexpr int IDR_CARD_POPUP = 104; // menu: never shown, kept for its two commands

// Dialog templates
constexpr int IDD_ABOUTBOX = 100;
constexpr int IDD_STATUS_DIALOGBAR = 102;
constexpr int IDD_STARTUP_PAGE = 106;
constexpr int IDD_PRINTING_PAGE = 107;
constexpr int IDD_INTERNET_PAGE = 108;
constexpr int IDD_NOTE = 132;
constexpr int IDD_CARD = 141;
constexpr int IDD_FIND_CARD = 159;
constexpr int IDD_ABOUT_KEYS = 160;
constexpr int IDD_FILE_ENCRYPTION = 161;
constexpr int IDD_EDIT_URL = 178;
constexpr int IDD_DECRYPT_PASSWORD = 184;
constexpr int IDD_PATHS_SET_PAGE = 209;

// Window id of the status dialog bar
constexpr int IDW_STATUS_DIALOGBAR = 103;

// Icons
constexpr int IDI_KEY = 136; // File Encryption dialog
constexpr int IDI_CATEGORY_CLOSED = 142;
constexpr int IDI_NOT_ENCRYPTED = 143;
constexpr int IDI_CATEGORY_OPEN = 144;
constexpr int IDI_CARD = 145;
constexpr int IDI_REVEAL = 151;
constexpr int IDI_ENCRYPTED = 181;
constexpr int IDI_EDIT_URL = 211;

// Bitmaps
constexpr int IDB_ENCRYPTED_BUTTON = 136; // toolbar image of the Encrypt File button while encrypted
constexpr int IDB_BROWSERS = 157;         // picture on the General Settings page

// Strings
constexpr int IDS_DDE_INIT_FAILED = 104;
constexpr int IDS_PROPSHT_CAPTION = 112;
constexpr int IDS_DDE_SERVICE_NAME = 61456; // the own DDE service name, before its number

// Browser verb topics, one string each
constexpr int IDS_WWW_ACTIVATE = 106;
constexpr int IDS_WWW_ALERT = 107;
constexpr int IDS_WWW_BEGINPROGRESS = 108;
constexpr int IDS_WWW_CANCELPROGRESS = 109;
constexpr int IDS_WWW_ENDPROGRESS = 110;
constexpr int IDS_WWW_EXIT = 111;
constexpr int IDS_WWW_LISTWINDOWS = 113;
constexpr int IDS_WWW_MAKINGPROGRESS = 114;
constexpr int IDS_WWW_OPENURL = 115;
constexpr int IDS_WWW_PARSEANCHOR = 116;
constexpr int IDS_WWW_QUERYVIEWER = 117;
constexpr int IDS_WWW_REGISTERPROTOCOL = 118;
constexpr int IDS_WWW_REGISTERURLECHO = 119;
constexpr int IDS_WWW_REGISTERVIEWER = 120;
constexpr int IDS_WWW_REGISTERWINDOWCHANGE = 121;
constexpr int IDS_WWW_QUERYURLFILE = 122;
constexpr int IDS_WWW_SETPROGRESSRANGE = 123;
constexpr int IDS_WWW_SHOWFILE = 124;
constexpr int IDS_WWW_UNREGISTERPROTOCOL = 125;
constexpr int IDS_WWW_UNREGISTERURLECHO = 126;
constexpr int IDS_WWW_UNREGISTERVIEWER = 127;
constexpr int IDS_WWW_UNREGISTERWINDOWCHANGE = 131;
constexpr int IDS_WWW_URLECHO = 132;
constexpr int IDS_WWW_VERSION = 133;
constexpr int IDS_WWW_VIEWDOCFILE = 134;
constexpr int IDS_WWW_WINDOWCHANGE = 135;
constexpr int IDS_WWW_GETWINDOWINFO = 136;

// Controls: password dialogs
constexpr int IDC_KEY = 1002;
constexpr int IDC_KEY_CONFIRM = 1003;
constexpr int IDC_ENCRYPT_ON_SAVE = 1046;
constexpr int IDC_ABOUT_KEYS = 1048;
constexpr int IDC_REVEAL_KEY = 1049;
constexpr int IDC_KEY_WARNING = 1050;
constexpr int IDC_REVEAL_PASSWORD = 1061; // also on the card dialog
constexpr int IDC_DECRYPT_PASSWORD = 1071;

// Controls: card, Edit URL and Note dialogs
constexpr int IDC_NOTE_TEXT = 1005;
constexpr int IDC_NOTE = 1012;
constexpr int IDC_FIELD1 = 1013;
constexpr int IDC_FIELD2 = 1014;
constexpr int IDC_FIELD3 = 1015;
constexpr int IDC_FIELD4 = 1016;
constexpr int IDC_LABEL1 = 1017;
constexpr int IDC_LABEL2 = 1018;
constexpr int IDC_LABEL3 = 1019;
constexpr int IDC_LABEL4 = 1020;
constexpr int IDC_CATEGORY_NAME = 1044;
constexpr int IDC_URL = 1063;
constexpr int IDC_AUTO_ACCESS = 1069;
constexpr int IDC_NEW_WINDOW = 1070;
constexpr int IDC_EDIT_URL = 1118;

// Controls: status dialog bar
constexpr int IDC_CATEGORY_COUNT = 1021;
constexpr int IDC_TOTAL_COUNT = 1023;
constexpr int IDC_SAVE_STATUS_ICON = 1068;
constexpr int IDC_SAVE_STATUS_TEXT = 1110;

// Controls: Find Card dialog
constexpr int IDC_KEYWORD = 1038;
constexpr int IDC_FIND = 1041;
constexpr int IDC_FIND_AGAIN = 1042; // also sent by Ctrl+G
constexpr int IDC_IGNORE_CASE = 1045;

// Controls: preference pages
constexpr int IDC_LAUNCH_WEB_BROWSER = 1052;
constexpr int IDC_LAUNCH_FTP = 1053;
constexpr int IDC_LAUNCH_EMAIL = 1054;
constexpr int IDC_LAUNCH_TELNET = 1055;
constexpr int IDC_LAUNCH_NEWS = 1056;
constexpr int IDC_CHECK_OPEN_FILES = 1057;
constexpr int IDC_PRINT_ATM = 1060;
constexpr int IDC_PRINT_NOTES = 1062;
constexpr int IDC_AUTOSAVE_SPIN = 1113;
constexpr int IDC_AUTOSAVE_MINUTES = 1114;
constexpr int IDC_AUTOSAVE_CHECK = 1115;
constexpr int IDC_NETSCAPE = 1116; // browser choice radio; the "Navigator:" row on the paths page
constexpr int IDC_EXPLORER = 1117; // browser choice radio; the "Explorer:" row on the paths page
constexpr int IDC_PATH_TELNET_RADIO = 1015;
constexpr int IDC_PATH_MAIL_RADIO = 1016;
constexpr int IDC_PATH_FTP_RADIO = 1017;
constexpr int IDC_PATH_NEWS_RADIO = 1018;
constexpr int IDC_PATH_HELP_RADIO = 1019;
constexpr int IDC_PATH_NETSCAPE = 1027;
constexpr int IDC_PATH_MAIL = 1028;
constexpr int IDC_PATH_EXPLORER = 1030;
constexpr int IDC_PATH_NEWS = 1032;
constexpr int IDC_PATH_FTP = 1033;
constexpr int IDC_FIND_PATH = 1034;
constexpr int IDC_PATH_HELP = 1035;
constexpr int IDC_PATH_TELNET = 1036;

// Commands of the program (the standard ones are in afxres.h)
constexpr int ID_LAUNCH_BROWSER = 1005;
constexpr int ID_ADD_CARD = 1009;
constexpr int ID_DELETE_CARD = 1010;
constexpr int ID_ENCRYPT_FILE = 1013;
constexpr int ID_OPEN_NEW_WINDOW = 32772;
constexpr int ID_AUTOMATIC_ACCESS = 32773;
constexpr int ID_HOME_PAGE = 32777;
constexpr int ID_LAUNCH_WWW = 32780;
constexpr int ID_LAUNCH_EMAIL = 32781;
constexpr int ID_LAUNCH_LOGIN = 32782;
constexpr int ID_LAUNCH_NEWS = 32783;
constexpr int ID_EDIT_CARD = 32795;
constexpr int ID_FIND_CARD = 32803;
constexpr int ID_PRINT_PREVIEW = 32804; // the frame's own preview, not ID_FILE_PRINT_PREVIEW
constexpr int ID_CARD_NEW = 32808;
constexpr int ID_CARD_DELETE = 32809;
constexpr int ID_CARD_FIRST = 32812;
constexpr int ID_CARD_LAST = 32813;
constexpr int ID_CARD_EDIT = 32814;
constexpr int ID_ONLINE_DOCUMENTATION = 32818;
constexpr int ID_LOAD_WEB_PAGE = 32819;
constexpr int ID_GET_WEB_PAGE = 32820;
constexpr int ID_TB_GET_WEB_PAGE = 32821;
constexpr int ID_TB_LOAD_WEB_PAGE = 32822;
constexpr int ID_LAUNCH_FTP = 32826;
constexpr int ID_PREFERENCES = 32827;
constexpr int ID_FILE_ENCRYPTONSAVE = 32828;
constexpr int ID_HELP_READER = 32829;
constexpr int ID_COPY_PASSWORD = 32830;
