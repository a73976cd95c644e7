#pragma once
// The document of the document/view design: it owns the data, knows its title, its file path and whether
// it has unsaved changes, and keeps the list of views that show it. A template makes it (with a frame and
// its views) for File New and File Open; the document's own OnOpenDocument and OnSaveDocument read and
// write the file. Changes are broadcast to the views with UpdateAllViews(sender, hint value, hint object).
//
// Failures: an OnOpenDocument or OnSaveDocument that returns false without having told the user why gets
// the framework's message ("Cannot open the file ..." / "Cannot save the file ...", with the reason given
// by SetFailureReason, caption the application title). A document that has shown its own message, or that
// fails because the user cancelled (a password prompt), calls SetFailureReported() first so the user sees
// nothing more. A failed save keeps the document modified and leaves the file on disk to the document.
#include "framework/cmdtarget.h"

#include <cstdint>
#include <string>
#include <vector>

class CView;
class CDocTemplate;
class CFrameWnd;

class CDocument : public CCmdTarget {
public:
    CDocument();
    ~CDocument() override;

    const std::string& GetTitle() const { return m_strTitle; }
    // Sets the title and shows it in every frame of the document.
    virtual void SetTitle(const std::string& strTitle);
    const std::string& GetPathName() const { return m_strPathName; }
    // Sets the path (made absolute) and the title (the file name); bAddToMRU puts it on the recent-file list.
    virtual void SetPathName(const std::string& strPathName, bool bAddToMRU = true);
    // Forgets the path (the document is untitled again; Save then asks for a name).
    void ClearPathName();

    virtual bool IsModified() const { return m_bModified; }
    virtual void SetModifiedFlag(bool bModified = true);

    // Views, in the order they were added (the first view is the first one created).
    const std::vector<CView*>& GetViews() const { return m_views; }
    CView* GetFirstView() const { return m_views.empty() ? nullptr : m_views.front(); }
    void AddView(CView* pView);
    void RemoveView(CView* pView);
    // OnUpdate of every view except the sender.
    void UpdateAllViews(CView* pSender, intptr_t lHint = 0, CObject* pHint = nullptr);

    CDocTemplate* GetDocTemplate() const { return m_pDocTemplate; }

    // The life cycle. The base versions: OnNewDocument and OnOpenDocument empty the document
    // (DeleteContents) and clear the modified flag; OnSaveDocument writes nothing and succeeds;
    // OnCloseDocument destroys the document's frames, empties it, leaves its template and deletes it.
    virtual bool OnNewDocument();
    virtual bool OnOpenDocument(const std::string& strPathName);
    virtual bool OnSaveDocument(const std::string& strPathName);
    virtual void OnCloseDocument();
    virtual void DeleteContents();

    // "Save changes to %1?" (Yes / No / Cancel) when modified. Yes saves (false when the save fails or
    // Save As is cancelled), No discards, Cancel returns false.
    virtual bool SaveModified();
    // Whether the frame may close: the last frame of a document asks SaveModified.
    virtual bool CanCloseFrame(CFrameWnd* pFrame);
    // Saves under strPathName, or asks for a name (Save As) when it is empty. bReplace: the document
    // takes the new name. On success the modified flag is cleared; on failure nothing changes.
    virtual bool DoSave(const std::string& strPathName, bool bReplace = true);
    // Save: the document's own path, or Save As when it has none or the file is read-only.
    virtual bool DoFileSave();

    // For OnOpenDocument / OnSaveDocument that fail: see the top of this file.
    void SetFailureReported() { m_bFailureReported = true; }
    void SetFailureReason(const std::string& strReason) { m_strFailureReason = strReason; }
    // Used by the framework around each open and save.
    void ResetFailure();
    bool IsFailureReported() const { return m_bFailureReported; }
    const std::string& GetFailureReason() const { return m_strFailureReason; }

    // The handlers of the document's own map (ID_FILE_CLOSE, ID_FILE_SAVE, ID_FILE_SAVE_AS).
    void OnFileClose();
    void OnFileSave();
    void OnFileSaveAs();

    // The framework's routing: own map, then nothing further.
    bool OnCmdMsg(int nID, CCmdUI* pUpdate) override;

    // When the last view goes, the document closes itself (OnCloseDocument) unless this is false.
    bool m_bAutoDelete = true;

    // Frames showing the document, each once, in view order.
    std::vector<CFrameWnd*> GetFrames() const;
    // Shows the title in every frame of the document (with ":n" when it has several).
    void UpdateFrameCounts();

protected:
    // A view came or went. Base: closes the document when its last view went (see m_bAutoDelete).
    virtual void OnChangedViewList();

private:
    friend class CDocTemplate;

    std::string m_strTitle;
    std::string m_strPathName;
    bool m_bModified = false;
    std::vector<CView*> m_views;
    CDocTemplate* m_pDocTemplate = nullptr;
    bool m_bFailureReported = false;
    std::string m_strFailureReason;
    bool m_bClosing = false;
};
