#pragma once
// Resource data as the program's res/ folder declares it: dialog templates in dialog units, menus,
// accelerators, toolbars, strings and icons, each found by its numeric id. Plain data, no Qt.
#include <cstdint>
#include <string>
#include <vector>

namespace fw {

// Control kinds of a dialog template.
enum class CtlKind {
    Static,      // text label
    Edit,        // single- or multi-line edit (see styles)
    Button,      // push button
    DefButton,   // default push button
    CheckBox,    // auto check box
    GroupBox,
    Icon,        // static icon; iconId names it
    IconButton,  // push button showing an icon (set at run time, or iconId)
    SpinBox,     // up-down control
    ComboBox,
    ListBox,
};

// Control styles that matter here (combine with |).
enum CtlStyle : uint32_t {
    CS_NONE = 0,
    ES_PASSWORD = 1u << 0,
    ES_AUTOHSCROLL = 1u << 1,
    ES_MULTILINE = 1u << 2,
    ES_AUTOVSCROLL = 1u << 3,
    ES_READONLY = 1u << 4,
    WS_VSCROLL = 1u << 5,
    WS_DISABLED = 1u << 6,
    SS_CENTER = 1u << 7,
    SS_RIGHT = 1u << 8,
    WS_HIDDEN = 1u << 9,
    WS_TABSTOP = 1u << 10,
    ES_WANTRETURN = 1u << 11,
};

constexpr int IDC_STATIC = -1;

struct DlgControl {
    CtlKind kind;
    int id;            // IDC_STATIC for controls without an id
    std::string text;  // the template's text, exactly
    int x, y, cx, cy;  // dialog units
    uint32_t style = CS_NONE;
    int iconId = 0;    // Icon and IconButton
};

struct DialogTemplate {
    int id;
    std::string caption;
    int cx, cy;  // dialog units
    std::string fontName = "MS Sans Serif";
    int pointSize = 8;
    bool child = false;  // a child-style template (dialog bars) rather than a modal frame
    std::vector<DlgControl> controls;
};

struct MenuItem {
    enum Kind { Command, Separator, Popup } kind = Command;
    std::string text;   // with & for the mnemonic; the part after \t is the right-aligned label
    int id = 0;         // Command
    bool inactive = false;  // stored as inactive (grayed) in the template
    std::vector<MenuItem> children;  // Popup
};

struct MenuTemplate {
    int id;
    std::vector<MenuItem> items;  // the bar's popups
};

struct Accelerator {
    std::string keys;  // a key sequence in Qt's portable text form: "Ctrl+O", "Alt+N", "R", "Shift+A"
    int command;
};

struct AcceleratorTable {
    int id;
    std::vector<Accelerator> entries;
};

struct ToolbarTemplate {
    int id;
    int imageWidth = 20, imageHeight = 20;
    std::vector<int> buttons;  // command ids in order; 0 is a separator
};

struct IconResource {
    int id;
    std::string path;  // a Qt resource path to the SVG picture, e.g. ":/icons/card.svg"
};

// Bitmaps of toolbar images: one SVG per image, in image order.
struct ToolbarImages {
    int id;
    std::vector<std::string> paths;
};

struct StringResource {
    int id;
    std::string text;
};

// The whole resource set of a program. res/ provides one; the framework looks ids up in it.
struct ResourceSet {
    std::vector<DialogTemplate> dialogs;
    std::vector<MenuTemplate> menus;
    std::vector<AcceleratorTable> accelerators;
    std::vector<ToolbarTemplate> toolbars;
    std::vector<ToolbarImages> toolbarImages;
    std::vector<IconResource> icons;
    std::vector<StringResource> strings;
};

}  // namespace fw

namespace fw {

// The program registers its resource set once at start-up (and tests do the same); lookups give null or
// an empty text for an id the set does not have.
void SetResourceSet(const ResourceSet* resources);
const ResourceSet* GetResourceSet();
const DialogTemplate* FindDialogTemplate(int id);
const MenuTemplate* FindMenuTemplate(int id);
const AcceleratorTable* FindAcceleratorTable(int id);
const ToolbarTemplate* FindToolbarTemplate(int id);
const ToolbarImages* FindToolbarImages(int id);
const IconResource* FindIconResource(int id);
std::string LoadResString(int id);

}  // namespace fw
