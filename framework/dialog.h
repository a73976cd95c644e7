#pragma once
// Modal and modeless dialogs built from the dialog templates of the resource set. A dialog is made on the
// stack with its template id, filled through its members, run with DoModal and read back after IDOK; data
// exchange moves the members into the controls and back.
#include "framework/dialogunits.h"
#include "framework/modalrunner.h"
#include "framework/restypes.h"

#include <QPointer>
#include <QRect>
#include <QSize>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

class QDialog;
class QWidget;
class CDialog;
struct DialogTextLimit;

// The direction and the dialog of one data exchange.
class CDataExchange {
public:
    CDataExchange(CDialog* pDlg, bool bSaveAndValidate)
        : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlg) {}
    bool m_bSaveAndValidate; // true: controls into members
    CDialog* m_pDlgWnd;
};

// Edits and statics. Into the control as shown text; back as the original bytes when the text was not
// changed, else as UTF-8. Multi-line edits show CR LF as one line break and store typed line breaks as
// CR LF, as the card file has always held them.
void DDX_Text(CDataExchange* pDX, int id, std::string& member);
// Check boxes: 0 clear, 1 checked, 2 indeterminate.
void DDX_Check(CDataExchange* pDX, int id, int32_t& member);

class CDialog {
public:
    explicit CDialog(int templateId, QWidget* parent = nullptr);
    virtual ~CDialog();
    CDialog(const CDialog&) = delete;
    CDialog& operator=(const CDialog&) = delete;

    // Creates the window and its controls, runs OnInitDialog and hands the dialog to the modal runner.
    // Returns what EndDialog was given, or -1 when the template does not exist. The window is gone after.
    int DoModal();
    // Modeless: window, controls and OnInitDialog, shown without a modal loop. False without a template.
    bool Create(QWidget* parent = nullptr);
    void DestroyWindow();

    virtual bool OnInitDialog(); // default: UpdateData(false); true
    virtual void DoDataExchange(CDataExchange* pDX);
    bool UpdateData(bool bSaveAndValidate = true);
    virtual void OnOK();     // UpdateData(true), then EndDialog(IDOK)
    virtual void OnCancel(); // EndDialog(IDCANCEL)
    void EndDialog(int result);
    bool HasEnded() const { return m_bEnded; }
    int GetResult() const { return m_nResult; }

    // Button and check box clicks by control id. IDOK and IDCANCEL go to OnOK and OnCancel unless a
    // handler is registered for them.
    void OnButtonClicked(int id, std::function<void()> handler);
    // What a click on the control does (tests and the scripted runner click through here too).
    void ClickButton(int id);

    int GetTemplateId() const { return m_nTemplateId; }
    const fw::DialogTemplate* GetTemplate() const { return m_pTemplate; }
    QWidget* GetWindow() const; // the QDialog, or null when no window exists
    QWidget* GetDlgItem(int id) const;
    const CDialogUnits& GetDialogUnits() const { return m_units; }

    void SetWindowText(const std::string& text);
    std::string GetWindowText() const;
    // Text of an edit, static, button or check box, as bytes (unchanged text keeps its bytes).
    void SetDlgItemText(int id, const std::string& text);
    std::string GetDlgItemText(int id) const;

    // An edit never holds more than maxBytes bytes of UTF-8: typing or pasting that would go beyond is
    // refused, and an edit to a longer text already there cuts it to the limit at a character boundary.
    void SetLimitText(int id, size_t maxBytes);

    // The window's size in pixels (its client area; the frame belongs to the window manager).
    QSize GetWindowSize() const;
    void SetWindowSize(int width, int height); // keeps the position
    void ShowWindow(bool bShow);
    void RedrawWindow();
    // A control's rectangle on the screen. Note QRect::right() is x() + width() - 1.
    QRect GetControlScreenRect(int id) const;

    void SetButtonIcon(int id, int iconId);
    void EnableControl(int id, bool bEnable);
    void ShowControl(int id, bool bShow);
    void SetReadOnly(int id, bool bReadOnly);
    void SetPasswordChar(int id, bool bMasked);
    bool IsControlEnabled(int id) const;
    bool IsControlVisible(int id) const; // shown flag of the control itself, window shown or not

    // A popup menu owned by this dialog at a screen point, through the modal runner; the chosen command
    // or 0.
    int TrackPopupMenu(const std::vector<fw::PopupMenuItem>& items, int x, int y);

private:
    friend class CDialogWindow;
    bool CreateWindowAndControls(QWidget* parent, bool bModal);
    void OnControlClicked(int id);

    int m_nTemplateId;
    QWidget* m_pParent;
    const fw::DialogTemplate* m_pTemplate = nullptr;
    QPointer<QDialog> m_pWindow;
    CDialogUnits m_units;
    std::map<int, QPointer<QWidget>> m_controls;
    std::map<int, std::function<void()>> m_handlers;
    std::map<int, std::shared_ptr<struct DialogTextLimit>> m_limits;
    std::string m_strCaption;
    bool m_bCaptionSet = false;
    bool m_bEnded = false;
    int m_nResult = fw::IDCANCEL;
};
