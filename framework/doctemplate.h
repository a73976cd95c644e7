#pragma once
// A document type: makes documents of one class with their frame and first view, and holds the type's
// resources under one id: the template string (string resource of that id), the menu shown while one of
// its documents is active and the frame icon. The template string has seven fields separated by "\n":
// window title, default document name, File New name, filter name, filter extension, registry type id,
// registry type name.
//
// Documents belong to one template at a time; AddDocument / RemoveDocument move a document to another
// template (its frames are then remade with CreateNewFrame of the new template and InitialUpdateFrame).
// A template deletes the documents it still holds when it is destroyed.
#include "framework/cmdtarget.h"
#include "framework/createcontext.h"

#include <functional>
#include <string>
#include <vector>

class CDocument;
class CFrameWnd;
class CMDIChildWnd;

using DocumentFactory = std::function<CDocument*()>;
using FrameFactory = std::function<CMDIChildWnd*()>;

class CDocTemplate : public CCmdTarget {
public:
    enum DocStringIndex {
        windowTitle,
        docName,
        fileNewName,
        filterName,
        filterExt,
        regFileTypeId,
        regFileTypeName,
    };
    enum Confidence {
        noAttempt,
        maybeAttemptForeign,
        maybeAttemptNative,
        yesAttemptForeign,
        yesAttemptNative,
        yesAlreadyOpen,
    };

    CDocTemplate(int nIDResource, DocumentFactory docFactory, FrameFactory frameFactory,
                 ViewFactory viewFactory);
    ~CDocTemplate() override;

    int GetResourceID() const { return m_nIDResource; }
    int GetMenuID() const { return m_nIDResource; }
    int GetIconID() const { return m_nIDResource; }
    // A field of the template string, empty when missing.
    std::string GetDocString(int nIndex) const;
    bool GetDocString(std::string& strOut, DocStringIndex nIndex) const;
    // For tests and programs that set the string without a resource.
    void SetTemplateString(const std::string& strTemplate);

    // Empty path: a new untitled document. Else the file is opened. The new document, or null when the
    // open failed (the user was told why, unless the document already did).
    virtual CDocument* OpenDocumentFile(const std::string& strPathName, bool bMakeVisible = true) = 0;

    virtual void AddDocument(CDocument* pDoc);
    virtual void RemoveDocument(CDocument* pDoc);
    const std::vector<CDocument*>& GetDocuments() const { return m_docs; }

    // A document of this template's class, added to the template; null if the factory gave none.
    virtual CDocument* CreateNewDocument();
    // A new document window for pDoc (pOther: the frame it replaces, or null); null on failure.
    virtual CFrameWnd* CreateNewFrame(CDocument* pDoc, CFrameWnd* pOther);
    // Initial update of the frame's views, then the frame is shown and activated.
    virtual void InitialUpdateFrame(CFrameWnd* pFrame, CDocument* pDoc, bool bMakeVisible = true);
    // "Untitled1", "Untitled2", ... from the default document name.
    virtual void SetDefaultTitle(CDocument* pDoc);

    // yesAlreadyOpen (with the document) when a document of this template has the path, yesAttemptNative
    // when the file's extension is the template's (compared without regard to case), else
    // yesAttemptForeign.
    virtual Confidence MatchDocType(const std::string& strPathName, CDocument*& rpDocMatch);

    // SaveModified of each document; false as soon as one says stop.
    bool SaveAllModified();
    void CloseAllDocuments(bool bEndSession);

    // The filter for file dialogs: ("Not Encrypted File (*.qrf)", "*.qrf"); empty name when none.
    std::pair<std::string, std::string> GetFilter() const;

protected:
    int m_nIDResource;
    std::string m_strDocStrings;
    bool m_bDocStringsLoaded = false;
    DocumentFactory m_docFactory;
    FrameFactory m_frameFactory;
    ViewFactory m_viewFactory;
    std::vector<CDocument*> m_docs;
    int m_nUntitledCount = 0;

private:
    const std::string& DocStrings() const;
};
