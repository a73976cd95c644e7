#include "framework/document.h"

#include "framework/afxres.h"
#include "framework/doctemplate.h"
#include "framework/framewnd.h"
#include "framework/fwcommon.h"
#include "framework/modalrunner.h"
#include "framework/view.h"
#include "framework/winapp.h"

#include <algorithm>
#include <unistd.h>

CDocument::CDocument() {
    OnCommand(ID_FILE_CLOSE, [this] { OnFileClose(); });
    OnCommand(ID_FILE_SAVE, [this] { OnFileSave(); });
    OnCommand(ID_FILE_SAVE_AS, [this] { OnFileSaveAs(); });
}

CDocument::~CDocument() {
    m_bClosing = true;
    for (CView* pView : m_views) {
        pView->m_pDocument = nullptr;
    }
    m_views.clear();
    if (m_pDocTemplate != nullptr) {
        m_pDocTemplate->RemoveDocument(this);
    }
}

void CDocument::SetTitle(const std::string& strTitle) {
    m_strTitle = strTitle;
    UpdateFrameCounts();
}

void CDocument::SetPathName(const std::string& strPathName, bool bAddToMRU) {
    m_strPathName = fw::AbsolutePath(strPathName);
    SetTitle(fw::FileNameOf(m_strPathName));
    if (bAddToMRU && !m_strPathName.empty()) {
        if (CWinApp* pApp = AfxGetApp()) {
            pApp->AddToRecentFileList(m_strPathName);
        }
    }
}

void CDocument::ClearPathName() { m_strPathName.clear(); }

void CDocument::SetModifiedFlag(bool bModified) { m_bModified = bModified; }

void CDocument::AddView(CView* pView) {
    if (pView == nullptr || pView->m_pDocument == this) {
        return;
    }
    if (pView->m_pDocument != nullptr) {
        pView->m_pDocument->RemoveView(pView);
    }
    m_views.push_back(pView);
    pView->m_pDocument = this;
    OnChangedViewList();
}

void CDocument::RemoveView(CView* pView) {
    auto it = std::find(m_views.begin(), m_views.end(), pView);
    if (it == m_views.end()) {
        return;
    }
    m_views.erase(it);
    pView->m_pDocument = nullptr;
    OnChangedViewList();
}

void CDocument::OnChangedViewList() {
    if (m_views.empty() && m_bAutoDelete && !m_bClosing) {
        OnCloseDocument();
        return;
    }
    UpdateFrameCounts();
}

void CDocument::UpdateAllViews(CView* pSender, intptr_t lHint, CObject* pHint) {
    // A view may go away while the others update (a frame closed by a handler): walk a copy and skip
    // views that left in the meantime.
    const std::vector<CView*> views = m_views;
    for (CView* pView : views) {
        if (pView != pSender && std::find(m_views.begin(), m_views.end(), pView) != m_views.end()) {
            pView->OnUpdate(pSender, lHint, pHint);
        }
    }
}

bool CDocument::OnNewDocument() {
    DeleteContents();
    SetModifiedFlag(false);
    return true;
}

bool CDocument::OnOpenDocument(const std::string& /*strPathName*/) {
    DeleteContents();
    SetModifiedFlag(false);
    return true;
}

bool CDocument::OnSaveDocument(const std::string& /*strPathName*/) {
    SetModifiedFlag(false);
    return true;
}

void CDocument::OnCloseDocument() {
    if (m_bClosing) {
        return;
    }
    m_bClosing = true;
    for (CFrameWnd* pFrame : GetFrames()) {
        pFrame->DestroyWindow();
    }
    DeleteContents();
    if (m_pDocTemplate != nullptr) {
        m_pDocTemplate->RemoveDocument(this);
    }
    delete this;
}

void CDocument::DeleteContents() {}

bool CDocument::SaveModified() {
    if (!IsModified()) {
        return true;
    }
    std::string strName = m_strPathName.empty() ? m_strTitle : m_strPathName;
    if (strName.empty() && m_pDocTemplate != nullptr) {
        strName = m_pDocTemplate->GetDocString(CDocTemplate::docName);
    }
    if (strName.empty()) {
        strName = "Untitled";
    }
    const int nAnswer = fw::MessageBox("Save changes to " + strName + "?", fw::AppTitle(),
                                       fw::MB_YESNOCANCEL | fw::MB_ICONEXCLAMATION, fw::MessageOwner());
    switch (nAnswer) {
    case fw::IDYES:
        return DoFileSave();
    case fw::IDNO:
        return true;
    default:
        return false;
    }
}

bool CDocument::CanCloseFrame(CFrameWnd* pFrame) {
    for (CFrameWnd* pOther : GetFrames()) {
        if (pOther != pFrame) {
            return true;  // another window still shows the document
        }
    }
    return SaveModified();
}

void CDocument::ResetFailure() {
    m_bFailureReported = false;
    m_strFailureReason.clear();
}

bool CDocument::DoSave(const std::string& strPathName, bool bReplace) {
    std::string strNewName = strPathName;
    if (strNewName.empty()) {
        fw::FileDialogRequest request;
        request.open = false;
        request.title = "Save As";
        std::string strExt;
        if (m_pDocTemplate != nullptr) {
            const auto filter = m_pDocTemplate->GetFilter();
            if (!filter.first.empty()) {
                request.filters.push_back(filter);
            }
            strExt = m_pDocTemplate->GetDocString(CDocTemplate::filterExt);
        }
        request.defaultExtension = strExt;
        if (!m_strPathName.empty()) {
            request.initialPath = m_strPathName;
        } else {
            std::string strSuggested = m_strTitle;
            if (!strExt.empty() && strSuggested.find('.') == std::string::npos) {
                strSuggested += strExt;
            }
            request.initialPath = strSuggested;
        }
        request.owner = fw::MessageOwner();
        std::optional<std::string> answer = fw::GetModalRunner().FileDialog(request);
        if (!answer || answer->empty()) {
            return false;
        }
        strNewName = *answer;
    }
    strNewName = fw::AbsolutePath(strNewName);

    ResetFailure();
    if (!OnSaveDocument(strNewName)) {
        if (!m_bFailureReported) {
            fw::ReportFileError(true, strNewName, m_strFailureReason);
        }
        ResetFailure();
        return false;
    }
    m_bModified = false;
    if (bReplace) {
        SetPathName(strNewName);
    }
    return true;
}

bool CDocument::DoFileSave() {
    // A read-only file is saved under another name rather than failing.
    if (m_strPathName.empty() ||
        (::access(m_strPathName.c_str(), F_OK) == 0 && ::access(m_strPathName.c_str(), W_OK) != 0)) {
        return DoSave({});
    }
    return DoSave(m_strPathName);
}

void CDocument::OnFileClose() {
    if (!SaveModified()) {
        return;
    }
    OnCloseDocument();
}

void CDocument::OnFileSave() { DoFileSave(); }

void CDocument::OnFileSaveAs() { DoSave({}); }

bool CDocument::OnCmdMsg(int nID, CCmdUI* pUpdate) { return CCmdTarget::OnCmdMsg(nID, pUpdate); }

std::vector<CFrameWnd*> CDocument::GetFrames() const {
    std::vector<CFrameWnd*> frames;
    for (CView* pView : m_views) {
        CFrameWnd* pFrame = pView->GetParentFrame();
        if (pFrame != nullptr && std::find(frames.begin(), frames.end(), pFrame) == frames.end()) {
            frames.push_back(pFrame);
        }
    }
    return frames;
}

void CDocument::UpdateFrameCounts() {
    for (CFrameWnd* pFrame : GetFrames()) {
        pFrame->OnUpdateFrameTitle(true);
    }
}
