#include "framework/doctemplate.h"

#include "framework/document.h"
#include "framework/fwcommon.h"
#include "framework/mdichildwnd.h"
#include "framework/restypes.h"
#include "framework/view.h"
#include "framework/winapp.h"

#include <algorithm>
#include <cctype>

CDocTemplate::CDocTemplate(int nIDResource, DocumentFactory docFactory, FrameFactory frameFactory,
                           ViewFactory viewFactory)
    : m_nIDResource(nIDResource),
      m_docFactory(std::move(docFactory)),
      m_frameFactory(std::move(frameFactory)),
      m_viewFactory(std::move(viewFactory)) {}

CDocTemplate::~CDocTemplate() {
    // Documents still open when the program ends go with their template.
    std::vector<CDocument*> docs;
    docs.swap(m_docs);
    for (CDocument* pDoc : docs) {
        pDoc->m_pDocTemplate = nullptr;
        delete pDoc;
    }
}

const std::string& CDocTemplate::DocStrings() const {
    if (!m_bDocStringsLoaded) {
        auto* pThis = const_cast<CDocTemplate*>(this);
        pThis->m_strDocStrings = fw::LoadResString(m_nIDResource);
        pThis->m_bDocStringsLoaded = true;
    }
    return m_strDocStrings;
}

void CDocTemplate::SetTemplateString(const std::string& strTemplate) {
    m_strDocStrings = strTemplate;
    m_bDocStringsLoaded = true;
}

std::string CDocTemplate::GetDocString(int nIndex) const {
    const std::string& str = DocStrings();
    size_t nStart = 0;
    for (int i = 0; i < nIndex; ++i) {
        const size_t nBreak = str.find('\n', nStart);
        if (nBreak == std::string::npos) {
            return {};
        }
        nStart = nBreak + 1;
    }
    const size_t nEnd = str.find('\n', nStart);
    return str.substr(nStart, nEnd == std::string::npos ? std::string::npos : nEnd - nStart);
}

bool CDocTemplate::GetDocString(std::string& strOut, DocStringIndex nIndex) const {
    strOut = GetDocString(static_cast<int>(nIndex));
    return !strOut.empty();
}

std::pair<std::string, std::string> CDocTemplate::GetFilter() const {
    const std::string strName = GetDocString(filterName);
    const std::string strExt = GetDocString(filterExt);
    if (strName.empty() || strExt.empty()) {
        return {};
    }
    return {strName, "*" + strExt};
}

void CDocTemplate::AddDocument(CDocument* pDoc) {
    if (pDoc == nullptr || pDoc->m_pDocTemplate == this) {
        return;
    }
    if (pDoc->m_pDocTemplate != nullptr) {
        pDoc->m_pDocTemplate->RemoveDocument(pDoc);
    }
    m_docs.push_back(pDoc);
    pDoc->m_pDocTemplate = this;
}

void CDocTemplate::RemoveDocument(CDocument* pDoc) {
    auto it = std::find(m_docs.begin(), m_docs.end(), pDoc);
    if (it == m_docs.end()) {
        return;
    }
    m_docs.erase(it);
    pDoc->m_pDocTemplate = nullptr;
}

CDocument* CDocTemplate::CreateNewDocument() {
    CDocument* pDoc = m_docFactory ? m_docFactory() : nullptr;
    if (pDoc != nullptr) {
        AddDocument(pDoc);
    }
    return pDoc;
}

CFrameWnd* CDocTemplate::CreateNewFrame(CDocument* pDoc, CFrameWnd* pOther) {
    if (!m_frameFactory) {
        return nullptr;
    }
    CCreateContext context;
    context.m_pCurrentDoc = pDoc;
    context.m_pNewDocTemplate = this;
    context.m_pNewViewClass = m_viewFactory;
    context.m_pCurrentFrame = pOther;
    CMDIChildWnd* pFrame = m_frameFactory();
    if (pFrame == nullptr) {
        return nullptr;
    }
    // A half-made frame must not close the document when its views go.
    const bool bAutoDelete = pDoc ? pDoc->m_bAutoDelete : false;
    if (pDoc != nullptr) {
        pDoc->m_bAutoDelete = false;
    }
    const bool bLoaded = pFrame->LoadFrame(m_nIDResource, nullptr, &context);
    if (!bLoaded) {
        pFrame->DestroyWindow();
    }
    if (pDoc != nullptr) {
        pDoc->m_bAutoDelete = bAutoDelete;
    }
    return bLoaded ? pFrame : nullptr;
}

void CDocTemplate::InitialUpdateFrame(CFrameWnd* pFrame, CDocument* pDoc, bool bMakeVisible) {
    if (pFrame != nullptr) {
        pFrame->InitialUpdateFrame(pDoc, bMakeVisible);
    }
}

void CDocTemplate::SetDefaultTitle(CDocument* pDoc) {
    std::string strName = GetDocString(docName);
    if (strName.empty()) {
        strName = "Untitled";
    }
    pDoc->SetTitle(strName + std::to_string(m_nUntitledCount + 1));
}

CDocTemplate::Confidence CDocTemplate::MatchDocType(const std::string& strPathName, CDocument*& rpDocMatch) {
    rpDocMatch = nullptr;
    const std::string strPath = fw::AbsolutePath(strPathName);
    for (CDocument* pDoc : m_docs) {
        if (!pDoc->GetPathName().empty() && pDoc->GetPathName() == strPath) {
            rpDocMatch = pDoc;
            return yesAlreadyOpen;
        }
    }
    const std::string strExt = GetDocString(filterExt);
    if (!strExt.empty() && strPath.size() > strExt.size()) {
        const std::string strTail = strPath.substr(strPath.size() - strExt.size());
        const bool bSame = std::equal(strTail.begin(), strTail.end(), strExt.begin(), strExt.end(), [](char a, char b) {
            return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
        });
        if (bSame) {
            return yesAttemptNative;
        }
    }
    return yesAttemptForeign;
}

bool CDocTemplate::SaveAllModified() {
    const std::vector<CDocument*> docs = m_docs;
    for (CDocument* pDoc : docs) {
        if (std::find(m_docs.begin(), m_docs.end(), pDoc) != m_docs.end() && !pDoc->SaveModified()) {
            return false;
        }
    }
    return true;
}

void CDocTemplate::CloseAllDocuments(bool /*bEndSession*/) {
    // Each close removes the document from the list.
    while (!m_docs.empty()) {
        m_docs.front()->OnCloseDocument();
    }
}
