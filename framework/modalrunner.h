#pragma once
// Every modal step of the program (message box, dialog, file dialog, popup menu, print dialog) goes
// through one replaceable runner. The real runner shows them; a test installs a scripted runner that
// records each step and answers it, so whole commands run in tests exactly as the program runs them.
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

class QWidget;
class CDialog;

namespace fw {

// Message box buttons and icons (combine one of each with |), and the results.
enum : unsigned {
    MB_OK = 0x0,
    MB_OKCANCEL = 0x1,
    MB_YESNOCANCEL = 0x3,
    MB_YESNO = 0x4,
    MB_TYPEMASK = 0xF,
    MB_ICONSTOP = 0x10,
    MB_ICONQUESTION = 0x20,
    MB_ICONEXCLAMATION = 0x30,
    MB_ICONINFORMATION = 0x40,
    MB_ICONMASK = 0xF0,
};
enum : int { IDOK = 1, IDCANCEL = 2, IDABORT = 3, IDRETRY = 4, IDIGNORE = 5, IDYES = 6, IDNO = 7 };

struct MessageBoxRequest {
    std::string text;
    std::string caption;  // "Error" when the caller gave none
    unsigned type = MB_OK;
    QWidget* owner = nullptr;
};

struct FileDialogRequest {
    bool open = true;  // false: a save dialog
    std::string title;
    std::string initialPath;
    std::vector<std::pair<std::string, std::string>> filters;  // ("Not Encrypted File (*.qrf)", "*.qrf")
    std::string defaultExtension;  // ".qrf"; appended to a typed name without one
    QWidget* owner = nullptr;
};

struct PopupMenuItem {
    std::string text;
    int command = 0;
    bool disabled = false;
};

struct PopupMenuRequest {
    std::vector<PopupMenuItem> items;
    int x = 0, y = 0;  // screen pixels
    QWidget* owner = nullptr;
};

class CModalRunner {
public:
    virtual ~CModalRunner() = default;
    // Returns the button pressed (IDOK, IDCANCEL, IDYES, ...).
    virtual int MessageBox(const MessageBoxRequest& request) = 0;
    // Runs a modal dialog whose window and controls exist and whose OnInitDialog has run; returns what
    // EndDialog was given.
    virtual int RunDialog(CDialog& dialog) = 0;
    // The chosen path, or nullopt on Cancel.
    virtual std::optional<std::string> FileDialog(const FileDialogRequest& request) = 0;
    // The chosen command, or 0 when the menu closed without a choice.
    virtual int TrackPopupMenu(const PopupMenuRequest& request) = 0;
};

CModalRunner& GetModalRunner();
// Installs a runner (a test's); null puts the real one back. The caller keeps ownership.
void SetModalRunner(CModalRunner* runner);

// The message box of the program: text, caption ("Error" when empty), buttons and icon.
int MessageBox(const std::string& text, const std::string& caption = {}, unsigned type = MB_OK,
               QWidget* owner = nullptr);

// For tests: records every step and answers from queues.
class CScriptedRunner : public CModalRunner {
public:
    using DialogHandler = std::function<int(CDialog&)>;

    // Each message box takes the next answer; with none queued it answers the first button
    // (IDOK for MB_OK/MB_OKCANCEL, IDYES for the yes/no kinds).
    std::vector<int> m_messageAnswers;
    // Each dialog goes to the next handler: it may set controls (or members followed by
    // UpdateData(false)) and click buttons, then returns IDOK or IDCANCEL; the runner then calls the
    // dialog's OnOK or OnCancel, as the user's button would. With none queued: IDCANCEL.
    std::vector<DialogHandler> m_dialogHandlers;
    // Each file dialog takes the next answer; with none queued: cancelled.
    std::vector<std::optional<std::string>> m_fileAnswers;
    // Each popup menu takes the next answer; with none queued: 0.
    std::vector<int> m_popupAnswers;

    // What happened, in order.
    std::vector<MessageBoxRequest> m_messages;
    std::vector<std::string> m_dialogCaptions;  // window title of each dialog run
    std::vector<FileDialogRequest> m_fileDialogs;
    std::vector<PopupMenuRequest> m_popups;

    int MessageBox(const MessageBoxRequest& request) override;
    int RunDialog(CDialog& dialog) override;
    std::optional<std::string> FileDialog(const FileDialogRequest& request) override;
    int TrackPopupMenu(const PopupMenuRequest& request) override;

    // The texts of the recorded message boxes, in order.
    std::vector<std::string> MessageTexts() const;
};

// Installs a scripted runner for one scope (a test), restoring the previous one afterwards.
class CScopedRunner {
public:
    explicit CScopedRunner(CModalRunner& runner);
    ~CScopedRunner();
    CScopedRunner(const CScopedRunner&) = delete;
    CScopedRunner& operator=(const CScopedRunner&) = delete;

private:
    CModalRunner* m_pPrevious;
};

}  // namespace fw
