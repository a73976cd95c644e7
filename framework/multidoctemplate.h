#pragma once
// The document template of a multiple-document program: each document gets its own document window
// inside the main frame.
//
//     AddDocTemplate(new CMultiDocTemplate(IDR_PLAINTYPE, [] { return new CMyDoc; },
//                                          [] { return new CChildFrame; }, [] { return new CMyView; }));
#include "framework/doctemplate.h"

class CMultiDocTemplate : public CDocTemplate {
public:
    CMultiDocTemplate(int nIDResource, DocumentFactory docFactory, FrameFactory frameFactory,
                      ViewFactory viewFactory);
    ~CMultiDocTemplate() override;

    CDocument* OpenDocumentFile(const std::string& strPathName, bool bMakeVisible = true) override;
};
