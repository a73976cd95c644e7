#pragma once
// A document window: a splitter of one row and two columns with the category tree on the left (made
// first, so it is the document's first view) and the card list on the right. It is always shown maximised.
#include "framework/mdichildwnd.h"
#include "framework/splitterwnd.h"

class CChildFrame : public CMDIChildWnd {
    Q_OBJECT
public:
    CChildFrame();
    ~CChildFrame() override;

    void ActivateFrame(int nCmdShow = -1) override;

    CSplitterWnd m_wndSplitter;

protected:
    bool OnCreateClient(CCreateContext* pContext) override;
};
