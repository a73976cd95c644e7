#pragma once
// A small resource set for the framework tests: two document types (129 with a File New name, 130
// without), the frame's menu 128 and the document menus 129 / 130, accelerators, a toolbar with its SVG
// pictures (written to the test's private folder), prompts and the framework's own strings.
#include "framework/afxres.h"
#include "framework/restypes.h"
#include "tests/framework/fw_test_app.h"

#include <fstream>
#include <string>

namespace fwtest {

enum : int {
    IDR_MAINFRAME = 128,
    IDR_PLAINTYPE = 129,
    IDR_ENCRYPTEDTYPE = 130,
    ID_TEST_CMD = 32900,  // free for each test's own handlers and rules
    ID_TEST_RANGE_FIRST = 32910,
    ID_TEST_RANGE_LAST = 32914,
    ID_ENCRYPT_FILE = 1013,
    ID_FIND_CARD = 32803,
    IDD_TEST_BAR = 102,
    IDW_TEST_BAR = 103,
};

inline const std::string& SvgPath(int n) {
    static std::string s_paths[3];
    std::string& path = s_paths[n];
    if (path.empty()) {
        path = ConfigHome() + "/fw-image-" + std::to_string(n) + ".svg";
        std::ofstream(path) << "<svg xmlns='http://www.w3.org/2000/svg' width='20' height='20'>"
                            << "<rect width='20' height='" << (n + 1) * 5 << "' fill='#336699'/></svg>";
    }
    return path;
}

inline fw::MenuItem Cmd(const std::string& text, int id, bool inactive = false) {
    fw::MenuItem item;
    item.text = text;
    item.id = id;
    item.inactive = inactive;
    return item;
}

inline fw::MenuItem Sep() {
    fw::MenuItem item;
    item.kind = fw::MenuItem::Separator;
    return item;
}

inline fw::MenuItem Popup(const std::string& text, std::vector<fw::MenuItem> children) {
    fw::MenuItem item;
    item.kind = fw::MenuItem::Popup;
    item.text = text;
    item.children = std::move(children);
    return item;
}

inline const fw::ResourceSet& FakeResources() {
    static const fw::ResourceSet s_set = [] {
        fw::ResourceSet set;
        set.strings = {
            {AFX_IDS_APP_TITLE, "Quorrel"},
            {AFX_IDS_IDLEMESSAGE, "Ready"},
            {IDR_MAINFRAME, "Quorrel Test Edition"},
            {IDR_PLAINTYPE,
             "\nUntitled\nQuorrel\nNot Encrypted File (*.qrf)\n.qrf\nQuorrel.Document\nQuorrel Document"},
            {IDR_ENCRYPTEDTYPE,
             "\nUntitled\n\nEncrypted File (*.qre)\n.qre\nQuorrelEncr.Document\nQuorrelEncrypted Document"},
            {ID_FILE_NEW, "Create a new document\nNew"},
            {ID_FILE_OPEN, "Open an existing document\nOpen"},
            {ID_FILE_SAVE, "Save the active document\nSave"},
            {ID_APP_EXIT, "Quit the application; prompts to save documents\nExit"},
            {ID_FILE_MRU_FILE1, "Open this document"},
            {ID_ENCRYPT_FILE, "Encrypt File On save\nEncrypt File"},
            {ID_INDICATOR_CAPS, "CAP"},
            {ID_INDICATOR_NUM, "NUM"},
            {ID_INDICATOR_SCRL, "SCRL"},
        };
        const auto fileMenu = [](bool bDocument) {
            std::vector<fw::MenuItem> items = {Cmd("&New\tAlt+N", ID_FILE_NEW), Cmd("&Open...\tCtrl+O", ID_FILE_OPEN)};
            if (bDocument) {
                items.push_back(Cmd("&Close", ID_FILE_CLOSE));
                items.push_back(Cmd("&Save\tCtrl+S", ID_FILE_SAVE));
                items.push_back(Cmd("Save &As...", ID_FILE_SAVE_AS));
            }
            items.push_back(Sep());
            items.push_back(Cmd("Recent File", ID_FILE_MRU_FILE1, true));
            items.push_back(Sep());
            items.push_back(Cmd("E&xit", ID_APP_EXIT));
            return Popup("&File", items);
        };
        const auto viewMenu = Popup("&View", {Cmd("&Toolbar", ID_VIEW_TOOLBAR), Cmd("&Status Bar", ID_VIEW_STATUS_BAR)});
        const auto windowMenu = Popup("&Window", {Cmd("&Arrange Icons", ID_WINDOW_ARRANGE, true)});
        set.menus = {
            {IDR_MAINFRAME, {fileMenu(false), viewMenu, Popup("&Help", {Cmd("&About Quorrel...", ID_APP_ABOUT)})}},
            {IDR_PLAINTYPE,
             {fileMenu(true), Popup("&Edit", {Cmd("&Undo\tCtrl+Z", ID_EDIT_UNDO), Cmd("Cu&t\tCtrl+X", ID_EDIT_CUT)}),
              Popup("&Card", {Cmd("Test", ID_TEST_CMD)}), viewMenu, windowMenu}},
            {IDR_ENCRYPTEDTYPE, {fileMenu(true), Popup("Card", {Cmd("Test", ID_TEST_CMD)}), viewMenu, windowMenu}},
        };
        set.accelerators = {{IDR_MAINFRAME,
                             {{"Ctrl+O", ID_FILE_OPEN},
                              {"X", ID_APP_EXIT},
                              {"Shift+C", ID_FILE_CLOSE},
                              {"Ctrl+X", ID_EDIT_CUT},
                              {"Shift+Del", ID_EDIT_CUT},
                              {"F6", ID_NEXT_PANE}}}};
        set.toolbars = {{IDR_MAINFRAME, 20, 20, {ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_SAVE, ID_ENCRYPT_FILE, 0, ID_EDIT_CUT, ID_FIND_CARD}}};
        set.toolbarImages = {{IDR_MAINFRAME, {SvgPath(0), SvgPath(1), SvgPath(2), SvgPath(0), SvgPath(1), SvgPath(2)}}};
        set.icons = {{IDR_PLAINTYPE, SvgPath(0)}, {IDR_ENCRYPTEDTYPE, SvgPath(1)}};
        fw::DialogTemplate bar;
        bar.id = IDD_TEST_BAR;
        bar.caption = "";
        bar.cx = 200;
        bar.cy = 24;
        bar.child = true;
        bar.controls = {{fw::CtlKind::Static, fw::IDC_STATIC, "Cards in Category:", 9, 6, 58, 8}};
        set.dialogs = {bar};
        return set;
    }();
    return s_set;
}

}  // namespace fwtest
