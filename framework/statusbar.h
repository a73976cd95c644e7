#pragma once
// The frame's status bar: a message pane (ID_SEPARATOR: command prompts, "Ready" when idle) and indicator
// panes (ID_INDICATOR_CAPS, _NUM, _SCRL with the texts of their string resources, "CAP", "NUM", "SCRL").
// An indicator shows its text while its key lock is on. Where the lock state cannot be learnt (no
// keyboard LEDs to read) the indicators show their texts dimmed.
#include "framework/controlbar.h"

#include <QStatusBar>
#include <string>
#include <vector>

class QLabel;
class CFrameWnd;

class CStatusBar : public QStatusBar {
    Q_OBJECT
public:
    explicit CStatusBar(QWidget* pParent = nullptr);
    ~CStatusBar() override;

    bool Create(CFrameWnd* pParentWnd, unsigned nStyle = CBRS_BOTTOM, int nID = 59393 /* AFX_IDW_STATUS_BAR */);
    // One pane per id, in order.
    bool SetIndicators(const int* pIDArray, int nIDCount);
    int GetBarId() const { return m_nBarID; }

    int GetPaneCount() const { return static_cast<int>(m_panes.size()); }
    int CommandToIndex(int nID) const;
    bool SetPaneText(int nIndex, const std::string& strText);
    std::string GetPaneText(int nIndex) const;
    // The indicator's text is shown (lock on, or state unknown).
    bool IsPaneTextShown(int nIndex) const;

    // Reads the key locks and updates the indicator panes.
    void UpdateIndicators();

private:
    struct Pane {
        int nID = 0;
        QLabel* pLabel = nullptr;
        std::string strText;
    };
    std::vector<Pane> m_panes;
    int m_nBarID = 0;
};
