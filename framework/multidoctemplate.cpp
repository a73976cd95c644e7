#include "framework/multidoctemplate.h"

#include "framework/document.h"
#include "framework/framewnd.h"
#include "framework/fwcommon.h"

CMultiDocTemplate::CMultiDocTemplate(int nIDResource, DocumentFactory docFactory, FrameFactory frameFactory,
                                     ViewFactory viewFactory)
    : CDocTemplate(nIDResource, std::move(docFactory), std::move(frameFactory), std::move(viewFactory)) {}

CMultiDocTemplate::~CMultiDocTemplate() = default;

CDocument* CMultiDocTemplate::OpenDocumentFile(const std::string& strPathName, bool bMakeVisible) {
    std::string strPath;
    if (!strPathName.empty()) {
        strPath = fw::AbsolutePath(strPathName);
        const std::string strProblem = fw::ReadProblem(strPath);
        if (!strProblem.empty()) {
            fw::ReportFileError(false, strPath, strProblem);
            return nullptr;
        }
    }

    CDocument* pDoc = CreateNewDocument();
    if (pDoc == nullptr) {
        return nullptr;
    }
    CFrameWnd* pFrame = CreateNewFrame(pDoc, nullptr);
    if (pFrame == nullptr) {
        delete pDoc;  // leaves the template on its way
        return nullptr;
    }

    // On failure the document goes with its frame, without a second message from here.
    const auto discard = [&] {
        pDoc->m_bAutoDelete = false;
        pFrame->DestroyWindow();
        delete pDoc;
    };

    if (strPath.empty()) {
        SetDefaultTitle(pDoc);
        if (!pDoc->OnNewDocument()) {
            discard();
            return nullptr;
        }
        ++m_nUntitledCount;
    } else {
        pDoc->ResetFailure();
        if (!pDoc->OnOpenDocument(strPath)) {
            if (!pDoc->IsFailureReported()) {
                fw::ReportFileError(false, strPath, pDoc->GetFailureReason());
            }
            discard();
            return nullptr;
        }
        pDoc->ResetFailure();
        pDoc->SetPathName(strPath);
    }
    InitialUpdateFrame(pFrame, pDoc, bMakeVisible);
    return pDoc;
}
