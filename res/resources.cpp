#include "res/resources.h"

#include "framework/modalrunner.h"
#include "res/resource.h"

#include <QtCore/QtGlobal>

#include <utility>

using fw::CtlKind;
using fw::DlgControl;
using fw::MenuItem;

namespace {

constexpr int IDOK = fw::IDOK;
constexpr int IDCANCEL = fw::IDCANCEL;
constexpr int IDC_STATIC = fw::IDC_STATIC;

// Styles the classic templates give their controls by default.
constexpr uint32_t EDIT_STYLE = fw::WS_TABSTOP;
constexpr uint32_t BUTTON_STYLE = fw::WS_TABSTOP;

MenuItem Cmd(std::string text, int id, bool inactive = false) {
    MenuItem item;
    item.kind = MenuItem::Command;
    item.text = std::move(text);
    item.id = id;
    item.inactive = inactive;
    return item;
}

MenuItem Sep() {
    MenuItem item;
    item.kind = MenuItem::Separator;
    return item;
}

MenuItem Popup(std::string text, std::vector<MenuItem> children) {
    MenuItem item;
    item.kind = MenuItem::Popup;
    item.text = std::move(text);
    item.children = std::move(children);
    return item;
}

DlgControl Ctl(CtlKind kind, int id, std::string text, int x, int y, int cx, int cy,
               uint32_t style = fw::CS_NONE, int iconId = 0) {
    return DlgControl{kind, id, std::move(text), x, y, cx, cy, style, iconId};
}

DlgControl Static(std::string text, int x, int y, int cx, int cy, int id = IDC_STATIC) {
    return Ctl(CtlKind::Static, id, std::move(text), x, y, cx, cy);
}

DlgControl Edit(int id, int x, int y, int cx, int cy, uint32_t style) {
    return Ctl(CtlKind::Edit, id, "", x, y, cx, cy, style | EDIT_STYLE);
}

DlgControl Button(int id, std::string text, int x, int y, int cx, int cy) {
    return Ctl(CtlKind::Button, id, std::move(text), x, y, cx, cy, BUTTON_STYLE);
}

DlgControl DefButton(int id, std::string text, int x, int y, int cx, int cy) {
    return Ctl(CtlKind::DefButton, id, std::move(text), x, y, cx, cy, BUTTON_STYLE);
}

DlgControl CheckBox(int id, std::string text, int x, int y, int cx, int cy) {
    return Ctl(CtlKind::CheckBox, id, std::move(text), x, y, cx, cy, BUTTON_STYLE);
}

DlgControl GroupBox(std::string text, int x, int y, int cx, int cy) {
    return Ctl(CtlKind::GroupBox, IDC_STATIC, std::move(text), x, y, cx, cy);
}

DlgControl Icon(int iconId, int x, int y, int id = IDC_STATIC) {
    return Ctl(CtlKind::Icon, id, "", x, y, 20, 20, fw::CS_NONE, iconId);
}

DlgControl IconButton(int id, int x, int y, int cx, int cy, int iconId = 0) {
    return Ctl(CtlKind::IconButton, id, "", x, y, cx, cy, BUTTON_STYLE, iconId);
}

fw::DialogTemplate Dialog(int id, std::string caption, int cx, int cy, std::vector<DlgControl> controls) {
    fw::DialogTemplate dlg;
    dlg.id = id;
    dlg.caption = std::move(caption);
    dlg.cx = cx;
    dlg.cy = cy;
    dlg.controls = std::move(controls);
    return dlg;
}

// ---- Dialogs ----

fw::DialogTemplate AboutBox() {
    return Dialog(IDD_ABOUTBOX, "About Quorrel Linux Edition", 201, 70,
                  {
                      Icon(IDR_MAINFRAME, 13, 15),
                      Static("Quorrel Linux Edition Version 1.1", 41, 14, 110, 8),
                      Static("Your card file, under lock and key.", 41, 25, 106, 8),
                      DefButton(IDOK, "OK", 154, 12, 32, 14),
                      Static("Quorrel Home Page:", 41, 36, 98, 8),
                      Static("https://quorrel.example.org", 41, 48, 106, 11),
                  });
}

fw::DialogTemplate StatusDialogBar() {
    fw::DialogTemplate dlg = Dialog(IDD_STATUS_DIALOGBAR, "", 374, 24,
                                    {
                                        Static("Cards in Category:", 9, 6, 58, 8),
                                        Static("Save Status:", 164, 6, 42, 8),
                                        Icon(IDI_NOT_ENCRYPTED, 207, 2, IDC_SAVE_STATUS_ICON),
                                        Static("( Not Encrypted )", 233, 6, 58, 8, IDC_SAVE_STATUS_TEXT),
                                        Static("Total Cards:", 95, 6, 39, 8),
                                        Static("0", 71, 6, 20, 8, IDC_CATEGORY_COUNT),
                                        Static("0", 137, 6, 20, 8, IDC_TOTAL_COUNT),
                                    });
    dlg.child = true;
    return dlg;
}

fw::DialogTemplate DecryptPassword() {
    return Dialog(IDD_DECRYPT_PASSWORD, "Decryption Password", 222, 74,
                  {
                      Static("This file is encrypted, please enter your password:", 21, 14, 169, 8),
                      Edit(IDC_DECRYPT_PASSWORD, 20, 25, 166, 14, fw::ES_PASSWORD | fw::ES_AUTOHSCROLL),
                      IconButton(IDC_REVEAL_PASSWORD, 191, 26, 16, 14, IDI_REVEAL),
                      DefButton(IDOK, "OK", 83, 46, 50, 14),
                      Button(IDCANCEL, "Cancel", 136, 46, 50, 14),
                  });
}

fw::DialogTemplate FileEncryption() {
    return Dialog(
        IDD_FILE_ENCRYPTION, "File Encryption", 234, 193,
        {
            GroupBox("Enter Password", 13, 10, 205, 94),
            CheckBox(IDC_ENCRYPT_ON_SAVE, "Encrypt On Save", 20, 24, 70, 10),
            Icon(IDI_KEY, 185, 20),
            Static("Enter your password (key) below:", 21, 38, 105, 8),
            Edit(IDC_KEY, 19, 50, 166, 14, fw::ES_PASSWORD),
            IconButton(IDC_REVEAL_KEY, 189, 50, 16, 14, IDI_REVEAL),
            Static("Enter your password (key) again:", 19, 68, 104, 8),
            Edit(IDC_KEY_CONFIRM, 19, 78, 166, 14, fw::ES_PASSWORD),
            Button(IDC_ABOUT_KEYS, "About Keys", 62, 114, 50, 14),
            DefButton(IDOK, "OK", 115, 114, 50, 14),
            Button(IDCANCEL, "Cancel", 168, 114, 50, 14),
            GroupBox("Important", 14, 134, 206, 47),
            Static("Remember this key well. You need this key to decipher the file later. If you loose "
                   "or forget this key, you will no longer be able to access the file.Your data will be "
                   "lost forever!",
                   23, 145, 186, 31, IDC_KEY_WARNING),
        });
}

fw::DialogTemplate AboutKeys() {
    return Dialog(
        IDD_ABOUT_KEYS, "About Keys", 228, 202,
        {
            GroupBox("About Keys Information", 7, 5, 214, 172),
            Static("The security of your encrypted data is determined by the key length (the number of "
                   "characters). Do not only use lowercase letters. Please use upper- and lowercase letters, "
                   "numbers (0..9) and characters like *, + etc.",
                   14, 17, 200, 40),
            Static(
                "You may also use an entire phrase instead of a word/key. Your phrase can be 56 characters "
                "long. Below a table with time estimates for a hardware brute-force attack with a computer "
                "that can test a million keys per second.",
                14, 60, 200, 40),
            Static("Such a computer would cost around a million dollars.", 14, 103, 200, 8),
            Static("Key Length - Time Estimate", 14, 116, 200, 8),
            Static("8 characters - 37 days", 24, 126, 190, 8),
            Static("10 characters - 7000 years", 24, 135, 190, 8),
            Static("14 characters - 10 exp 13 years", 24, 144, 190, 8),
            Static("Estimates after a standard reference on applied cryptography (table of brute-force key "
                   "search times).",
                   14, 157, 200, 16),
            DefButton(IDOK, "OK", 89, 182, 50, 14),
        });
}

fw::DialogTemplate CardDialog() {
    return Dialog(
        IDD_CARD, "Add New Card", 295, 226,
        {
            Edit(IDC_FIELD1, 98, 35, 158, 14, fw::ES_AUTOHSCROLL),
            Edit(IDC_FIELD2, 98, 54, 158, 14, fw::ES_AUTOHSCROLL),
            Edit(IDC_FIELD3, 98, 76, 158, 14, fw::ES_AUTOHSCROLL),
            Edit(IDC_FIELD4, 98, 97, 158, 14, fw::ES_PASSWORD | fw::ES_AUTOHSCROLL),
            Edit(IDC_NOTE, 98, 117, 158, 40, fw::ES_MULTILINE | fw::ES_AUTOVSCROLL | fw::WS_VSCROLL),
            Static("Selected Category:", 18, 6, 61, 8),
            GroupBox("Card Info", 13, 20, 270, 144),
            Button(IDCANCEL, "Cancel", 231, 201, 50, 14),
            DefButton(IDOK, "Add Card", 179, 201, 50, 14),
            Static("Name:", 24, 36, 68, 8, IDC_LABEL1),
            Static("Host:", 24, 57, 68, 8, IDC_LABEL2),
            Static("User ID:", 24, 79, 72, 8, IDC_LABEL3),
            Static("Password:", 24, 100, 71, 8, IDC_LABEL4),
            Static("Note:", 24, 118, 18, 8),
            Static("Static", 85, 5, 117, 11, IDC_CATEGORY_NAME),
            Icon(IDI_CARD, 262, 2),
            IconButton(IDC_REVEAL_PASSWORD, 260, 98, 16, 14),
            CheckBox(IDC_AUTO_ACCESS, "Automatic Access", 124, 179, 73, 10),
            CheckBox(IDC_NEW_WINDOW, "New Browser Window", 22, 179, 86, 10),
            GroupBox("Attributes", 14, 167, 268, 29),
            IconButton(IDC_EDIT_URL, 260, 54, 16, 14),
        });
}

fw::DialogTemplate EditUrl() {
    return Dialog(IDD_EDIT_URL, "Edit URL", 274, 84,
                  {
                      DefButton(IDOK, "OK", 154, 56, 50, 14),
                      Button(IDCANCEL, "Cancel", 207, 56, 50, 14),
                      Edit(IDC_URL, 25, 22, 233, 26, fw::ES_MULTILINE | fw::WS_VSCROLL),
                  });
}

fw::DialogTemplate NoteDialog() {
    return Dialog(
        IDD_NOTE, "Note ", 204, 114,
        {
            Button(IDCANCEL, "Cancel", 136, 93, 50, 14),
            Edit(IDC_NOTE_TEXT, 17, 19, 170, 65, fw::ES_MULTILINE | fw::ES_AUTOVSCROLL | fw::WS_VSCROLL),
            Static("Note:", 18, 8, 18, 8),
            DefButton(IDOK, "OK", 83, 93, 50, 14),
        });
}

fw::DialogTemplate FindCard() {
    return Dialog(IDD_FIND_CARD, "Find Card", 220, 87,
                  {
                      Button(IDCANCEL, "Cancel", 155, 59, 50, 14),
                      Edit(IDC_KEYWORD, 23, 20, 126, 14, fw::ES_AUTOHSCROLL),
                      DefButton(IDC_FIND, "Find", 155, 21, 50, 14),
                      Button(IDC_FIND_AGAIN, "Find Again", 155, 41, 50, 14),
                      Static("Find keyword", 21, 9, 43, 8),
                      CheckBox(IDC_IGNORE_CASE, "Ignore Case", 24, 42, 54, 10),
                  });
}

// ---- Menus ----

fw::MenuTemplate MainFrameMenu() {
    return {IDR_MAINFRAME,
            {
                Popup("&File",
                      {
                          Cmd("&New\tAlt+N", ID_FILE_NEW),
                          Cmd("&Open...\tCtrl+O", ID_FILE_OPEN),
                          Sep(),
                          Cmd("P&rint Setup...", ID_FILE_PRINT_SETUP),
                          Sep(),
                          Cmd("Recent File", ID_FILE_MRU_FILE1),
                          Sep(),
                          Cmd("E&xit", ID_APP_EXIT),
                      }),
                Popup("&View",
                      {
                          Cmd("&Toolbar", ID_VIEW_TOOLBAR),
                          Cmd("&Status Bar", ID_VIEW_STATUS_BAR),
                      }),
                Popup("&Help", {Cmd("&About Quorrel...", ID_APP_ABOUT)}),
            }};
}

// Menus 129 and 130 differ only in the titles of Card and Internet and in the command behind
// "Help Reader", which in an encrypted document's window opens the online documentation.
fw::MenuTemplate DocumentMenu(int id, bool encrypted) {
    return {id,
            {
                Popup("&File",
                      {
                          Cmd("&New\tAlt+N", ID_FILE_NEW),
                          Cmd("&Open...\tCtrl+O", ID_FILE_OPEN),
                          Cmd("&Close", ID_FILE_CLOSE),
                          Cmd("&Save\tCtrl+S", ID_FILE_SAVE),
                          Cmd("Save &As...", ID_FILE_SAVE_AS),
                          Cmd("Encrypt On &Save...\tAlt+S", ID_FILE_ENCRYPTONSAVE),
                          Sep(),
                          Cmd("&Print...\tCtrl+P", ID_FILE_PRINT),
                          Cmd("Print Pre&view", ID_PRINT_PREVIEW, true),
                          Cmd("P&rint Setup...", ID_FILE_PRINT_SETUP),
                          Sep(),
                          Cmd("Recent File", ID_FILE_MRU_FILE1),
                          Sep(),
                          Cmd("E&xit", ID_APP_EXIT),
                      }),
                Popup("&Edit",
                      {
                          Cmd("&Undo\tCtrl+Z", ID_EDIT_UNDO),
                          Sep(),
                          Cmd("Cu&t\tCtrl+X", ID_EDIT_CUT),
                          Cmd("&Copy\tCtrl+C", ID_EDIT_COPY),
                          Cmd("&Paste\tCtrl+V", ID_EDIT_PASTE),
                          Sep(),
                          Cmd("&Find...\tCtrl+F ", ID_EDIT_FIND),
                          Sep(),
                          Cmd("Preferences...\tAlt+P", ID_PREFERENCES),
                      }),
                Popup(encrypted ? "Card" : "&Card",
                      {
                          Cmd("&New Card\tCtrl+N ", ID_CARD_NEW),
                          Cmd("&Delete Card\tCtrl+D", ID_CARD_DELETE),
                          Sep(),
                          Cmd("First Card", ID_CARD_FIRST),
                          Cmd("Last Card", ID_CARD_LAST),
                          Sep(),
                          Cmd("&Edit Card\tCtrl+E ", ID_CARD_EDIT),
                      }),
                Popup(encrypted ? "Internet" : "&Internet",
                      {
                          Cmd("Launch WWW", ID_LAUNCH_WWW),
                          Cmd("Launch E-Mail", ID_LAUNCH_EMAIL),
                          Cmd("Launch Login", ID_LAUNCH_LOGIN),
                          Cmd("Launch News", ID_LAUNCH_NEWS),
                          Cmd("Launch FTP", ID_LAUNCH_FTP),
                          Sep(),
                          Cmd("Load Web Page\tCtrl+W ", ID_LOAD_WEB_PAGE),
                          Cmd("Get Web Page\tAlt+W ", ID_GET_WEB_PAGE),
                      }),
                Popup("&View",
                      {
                          Cmd("&Toolbar", ID_VIEW_TOOLBAR),
                          Cmd("&Status Bar", ID_VIEW_STATUS_BAR),
                      }),
                Popup("&Window", {Cmd("&Arrange Icons", ID_WINDOW_ARRANGE, true)}),
                Popup("&Help",
                      {
                          Cmd("Online Documentation", ID_ONLINE_DOCUMENTATION),
                          Cmd("Help Reader", encrypted ? ID_ONLINE_DOCUMENTATION : ID_HELP_READER),
                          Cmd("Quorrel Home Page", ID_HOME_PAGE),
                          Sep(),
                          Cmd("&About Quorrel...", ID_APP_ABOUT),
                      }),
            }};
}

fw::MenuTemplate CardPopupMenu() {
    return {IDR_CARD_POPUP,
            {
                Popup("Popup",
                      {
                          Cmd("Open New Window", ID_OPEN_NEW_WINDOW),
                          Cmd("Automatic Access", ID_AUTOMATIC_ACCESS),
                      }),
            }};
}

// ---- Accelerators ----

fw::AcceleratorTable MainFrameAccelerators() {
    return {IDR_MAINFRAME,
            {
                {"Alt+N", ID_FILE_NEW},
                {"Ctrl+O", ID_FILE_OPEN},
                {"Shift+C", ID_FILE_CLOSE},
                {"Ctrl+S", ID_FILE_SAVE},
                {"Shift+A", ID_FILE_SAVE_AS},
                {"Alt+S", ID_FILE_ENCRYPTONSAVE},
                {"Ctrl+P", ID_FILE_PRINT},
                {"V", ID_PRINT_PREVIEW},
                {"R", ID_FILE_PRINT_SETUP},
                {"X", ID_APP_EXIT},
                {"Ctrl+Z", ID_EDIT_UNDO},
                {"Alt+Backspace", ID_EDIT_UNDO},
                {"Ctrl+X", ID_EDIT_CUT},
                {"Shift+Del", ID_EDIT_CUT},
                {"Ctrl+C", ID_EDIT_COPY},
                {"Ctrl+Ins", ID_EDIT_COPY},
                {"Ctrl+V", ID_EDIT_PASTE},
                {"Shift+Ins", ID_EDIT_PASTE},
                {"Ctrl+F", ID_EDIT_FIND},
                {"Ctrl+G", IDC_FIND_AGAIN},
                {"Alt+P", ID_PREFERENCES},
                {"Ctrl+N", ID_CARD_NEW},
                {"Ctrl+D", ID_CARD_DELETE},
                {"Ctrl+E", ID_CARD_EDIT},
                {"Ctrl+W", ID_LOAD_WEB_PAGE},
                {"Ctrl+Shift+W", ID_GET_WEB_PAGE},
                {"F1", ID_HELP},
                {"Shift+F1", ID_CONTEXT_HELP},
                {"F6", ID_NEXT_PANE},
                {"Shift+F6", ID_PREV_PANE},
            }};
}

// ---- Toolbar ----

fw::ToolbarTemplate MainFrameToolbar() {
    fw::ToolbarTemplate bar;
    bar.id = IDR_MAINFRAME;
    bar.buttons = {
        ID_FILE_NEW,        ID_FILE_OPEN,
        ID_FILE_SAVE,       ID_ENCRYPT_FILE,
        ID_SEPARATOR,       ID_COPY_PASSWORD,
        ID_EDIT_CUT,        ID_EDIT_PASTE,
        ID_EDIT_COPY,       ID_FILE_PRINT,
        ID_SEPARATOR,       ID_LAUNCH_BROWSER,
        ID_SEPARATOR,       ID_TB_LOAD_WEB_PAGE,
        ID_TB_GET_WEB_PAGE, ID_SEPARATOR,
        ID_ADD_CARD,        ID_DELETE_CARD,
        ID_EDIT_CARD,       ID_SEPARATOR,
        ID_FIND_CARD,       ID_ONLINE_DOCUMENTATION,
        ID_APP_ABOUT,
    };
    return bar;
}

// One picture per button, in button order; image 3 is the Encrypt File button while not encrypted.
fw::ToolbarImages MainFrameToolbarImages() {
    return {IDR_MAINFRAME,
            {
                ":/toolbar/new.svg",
                ":/toolbar/open.svg",
                ":/toolbar/save.svg",
                ":/toolbar/encrypt.svg",
                ":/toolbar/copy_password.svg",
                ":/toolbar/cut.svg",
                ":/toolbar/paste.svg",
                ":/toolbar/copy.svg",
                ":/toolbar/print.svg",
                ":/toolbar/launch_browser.svg",
                ":/toolbar/load_web_page.svg",
                ":/toolbar/get_web_page.svg",
                ":/toolbar/add_card.svg",
                ":/toolbar/delete_card.svg",
                ":/toolbar/edit_card.svg",
                ":/toolbar/find.svg",
                ":/toolbar/read_help.svg",
                ":/toolbar/about.svg",
            }};
}

// ---- Icons ----

std::vector<fw::IconResource> Icons() {
    return {
        {IDR_MAINFRAME, ":/icons/quorrel.svg"},
        {IDR_PLAINTYPE, ":/icons/document_plain.svg"},
        {IDR_ENCRYPTEDTYPE, ":/icons/document_encrypted.svg"},
        {IDI_KEY, ":/icons/key.svg"},
        {IDI_CATEGORY_CLOSED, ":/icons/category_closed.svg"},
        {IDI_NOT_ENCRYPTED, ":/icons/not_encrypted.svg"},
        {IDI_CATEGORY_OPEN, ":/icons/category_open.svg"},
        {IDI_CARD, ":/icons/card.svg"},
        {IDI_REVEAL, ":/icons/reveal.svg"},
        {IDI_ENCRYPTED, ":/icons/encrypted.svg"},
        {IDI_EDIT_URL, ":/icons/edit_url.svg"},
    };
}

// ---- Strings ----

std::vector<fw::StringResource> Strings() {
    return {
        {AFX_IDS_APP_TITLE, "Quorrel"},
        {AFX_IDS_IDLEMESSAGE, "Ready"},
        {IDS_DDE_INIT_FAILED, "DDE initialization failed.  Unable to continue."},
        {IDS_DDE_SERVICE_NAME, "Quorrel"},
        {IDS_PROPSHT_CAPTION, "Property Sheet"},

        {IDR_MAINFRAME, "Quorrel Linux Edition"},
        {IDR_PLAINTYPE,
         "\nUntitled\nQuorrel\nNot Encrypted File (*.qrf)\n.qrf\nQuorrel.Document\nQuorrel Document"},
        {IDR_ENCRYPTEDTYPE,
         "\nUntitled\n\nEncrypted File (*.qre)\n.qre\nQuorrelEncr.Document\nQuorrelEncrypted Document"},

        // Status bar
        {ID_INDICATOR_CAPS, "CAP"},
        {ID_INDICATOR_NUM, "NUM"},
        {ID_INDICATOR_SCRL, "SCRL"},
        {IDC_SAVE_STATUS_ICON, "File Encrypted Status\nFile Status"},

        // Prompts of the program's own commands: status bar text, then tool tip
        {ID_LAUNCH_BROWSER, "Launch Web Browser \n Launch Browser"},
        {ID_ADD_CARD, "Add a New Card To a Category\nAdd Card"},
        {ID_DELETE_CARD, "Delete a Card From a Category\nDelete Card"},
        {ID_ENCRYPT_FILE, "Encrypt File On save\nEncrypt File"},
        {ID_EDIT_CARD, "Edit a card in a Category\nEdit Card"},
        {ID_FIND_CARD, "Find Card in Category\nFind"},
        {ID_ONLINE_DOCUMENTATION, "Read Help File\nRead Help"},
        {ID_TB_GET_WEB_PAGE, "Get Web page from Browser\nGet Web Page"},
        {ID_TB_LOAD_WEB_PAGE, "Load Web page into Browser\nLoad Web Page"},
        {ID_COPY_PASSWORD, "Copy Password to Clipboard\nCopy Password"},

        // Prompts of the standard commands
        {ID_FILE_NEW, "Create a new document\nNew"},
        {ID_FILE_OPEN, "Open an existing document\nOpen"},
        {ID_FILE_CLOSE, "Close the active document\nClose"},
        {ID_FILE_SAVE, "Save the active document\nSave"},
        {ID_FILE_SAVE_AS, "Save the active document with a new name\nSave As"},
        {ID_FILE_PRINT_SETUP, "Change the printer and printing options\nPrint Setup"},
        {ID_FILE_PRINT, "Print the active document\nPrint"},
        {ID_FILE_PRINT_PREVIEW, "Display full pages\nPrint Preview"},
        {ID_FILE_MRU_FILE1, "Open this document"},
        {ID_FILE_MRU_FILE2, "Open this document"},
        {ID_FILE_MRU_FILE3, "Open this document"},
        {ID_FILE_MRU_FILE4, "Open this document"},
        {ID_APP_ABOUT, "Display program information, version number and copyright\nAbout"},
        {ID_APP_EXIT, "Quit the application; prompts to save documents\nExit"},
        {ID_EDIT_UNDO, "Undo the last action\nUndo"},
        {ID_EDIT_CUT, "Cut the selection and put it on the Clipboard\nCut"},
        {ID_EDIT_COPY, "Copy the selection and put it on the Clipboard\nCopy"},
        {ID_EDIT_PASTE, "Insert Clipboard contents\nPaste"},
        {ID_EDIT_FIND, "Find the specified text\nFind"},
        {ID_WINDOW_ARRANGE, "Arrange icons at the bottom of the window\nArrange Icons"},
        {ID_VIEW_TOOLBAR, "Show or hide the toolbar\nToggle Toolbar"},
        {ID_VIEW_STATUS_BAR, "Show or hide the status bar\nToggle Status Bar"},
        {ID_NEXT_PANE, "Switch to the next window pane\nNext Pane"},
        {ID_PREV_PANE, "Switch back to the previous window pane\nPrevious Pane"},
        {ID_HELP, "Display help for the current task or command\nHelp"},
        {ID_CONTEXT_HELP, "Display help for clicked on buttons, menus and windows\nHelp"},

        // Browser verb topics
        {IDS_WWW_ACTIVATE, "WWW_Activate"},
        {IDS_WWW_ALERT, "WWW_Alert"},
        {IDS_WWW_BEGINPROGRESS, "WWW_BeginProgress"},
        {IDS_WWW_CANCELPROGRESS, "WWW_CancelProgress"},
        {IDS_WWW_ENDPROGRESS, "WWW_EndProgress"},
        {IDS_WWW_EXIT, "WWW_Exit"},
        {IDS_WWW_GETWINDOWINFO, "WWW_GetWindowInfo"},
        {IDS_WWW_LISTWINDOWS, "WWW_ListWindows"},
        {IDS_WWW_MAKINGPROGRESS, "WWW_MakingProgress"},
        {IDS_WWW_OPENURL, "WWW_OpenURL"},
        {IDS_WWW_PARSEANCHOR, "WWW_ParseAnchor"},
        {IDS_WWW_QUERYURLFILE, "WWW_QueryURLFile"},
        {IDS_WWW_QUERYVIEWER, "WWW_QueryViewer"},
        {IDS_WWW_REGISTERPROTOCOL, "WWW_RegisterProtocol"},
        {IDS_WWW_REGISTERURLECHO, "WWW_RegisterURLEcho"},
        {IDS_WWW_REGISTERVIEWER, "WWW_RegisterViewer"},
        {IDS_WWW_REGISTERWINDOWCHANGE, "WWW_RegisterWindowChange"},
        {IDS_WWW_SETPROGRESSRANGE, "WWW_SetProgressRange"},
        {IDS_WWW_SHOWFILE, "WWW_ShowFile"},
        {IDS_WWW_UNREGISTERPROTOCOL, "WWW_UnRegisterProtocol"},
        {IDS_WWW_UNREGISTERURLECHO, "WWW_UnRegisterURLEcho"},
        {IDS_WWW_UNREGISTERVIEWER, "WWW_UnRegisterViewer"},
        {IDS_WWW_UNREGISTERWINDOWCHANGE, "WWW_UnRegisterWindowChange"},
        {IDS_WWW_URLECHO, "WWW_URLEcho"},
        {IDS_WWW_VERSION, "WWW_Version"},
        {IDS_WWW_VIEWDOCFILE, "WWW_ViewDocFile"},
        {IDS_WWW_WINDOWCHANGE, "WWW_WindowChange"},
    };
}

fw::ResourceSet Build() {
    fw::ResourceSet set;
    set.dialogs = {AboutBox(),   StatusDialogBar(), DecryptPassword(), FileEncryption(), AboutKeys(),
                   CardDialog(), EditUrl(),         NoteDialog(),      FindCard()};
    set.menus = {MainFrameMenu(), DocumentMenu(IDR_PLAINTYPE, false), DocumentMenu(IDR_ENCRYPTEDTYPE, true),
                 CardPopupMenu()};
    set.accelerators = {MainFrameAccelerators()};
    set.toolbars = {MainFrameToolbar()};
    set.toolbarImages = {MainFrameToolbarImages(), {IDB_ENCRYPTED_BUTTON, {":/toolbar/encrypted.svg"}}};
    set.icons = Icons();
    set.strings = Strings();
    return set;
}

} // namespace

const fw::ResourceSet& QuorrelResources() {
    // The pictures are compiled into this static library; their registration must be asked for.
    static const bool bRegistered = [] {
        Q_INIT_RESOURCE(quorrel);
        return true;
    }();
    (void)bRegistered;
    static const fw::ResourceSet resources = Build();
    return resources;
}
