#pragma once
// The application object: one per program (the program derives from CWinApp and makes one instance),
// reachable through AfxGetApp(). It owns the document templates and the main frame (m_pMainWnd, which it
// deletes at the end), keeps the recent-file list, and reaches the settings profile.
//
// Start-up (the derived InitInstance): SetRegistryKey, LoadStdProfileSettings(4), AddDocTemplate for each
// document type, make the main frame with LoadFrame and put it in m_pMainWnd, show it. Run() runs the
// event loop and then ExitInstance, which writes the recent-file list back.
//
// The application's own map handles ID_APP_EXIT and the recent-file entries ID_FILE_MRU_FILE1..4 (an entry
// that fails to open leaves the list). ID_FILE_NEW and ID_FILE_OPEN are bound by the derived application
// to OnFileNew and OnFileOpen.
#include "framework/cmdtarget.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class CDocTemplate;
class CDocument;
class CFrameWnd;

class CWinApp : public CCmdTarget {
public:
    // An empty name: the name is string AFX_IDS_APP_TITLE of the resources.
    explicit CWinApp(const std::string& strAppName = {});
    ~CWinApp() override;

    virtual bool InitInstance() { return true; }
    // Writes the recent-file list (when it was loaded) and the print preview page count; returns the exit code.
    virtual int ExitInstance();
    // The event loop, then ExitInstance; returns its code.
    virtual int Run();

    // The program's name ("Quorrel"): caption of the framework's messages, last part of the settings path.
    const std::string& GetAppName() const;

    CFrameWnd* m_pMainWnd = nullptr;
    int m_nCmdShow = 5;  // SW_SHOW
    int m_nNumPreviewPages = 0;

    // --- document templates -----------------------------------------------------------------------------
    // Takes ownership.
    void AddDocTemplate(CDocTemplate* pTemplate);
    std::vector<CDocTemplate*> GetDocTemplates() const;

    // A new document of the template that has a File New name (the first such; the first template when
    // none has one).
    void OnFileNew();
    // The open dialog (every template's filter and "All Files (*.*)"), then OpenDocumentFile.
    void OnFileOpen();
    // Opens a file with the template whose extension it has (else the first template). An already open file
    // is activated instead of opened again. The document, or null.
    virtual CDocument* OpenDocumentFile(const std::string& strPathName);
    // SaveModified of every document; false when the user cancelled one.
    bool SaveAllModified();
    void CloseAllDocuments(bool bEndSession);
    int GetOpenDocumentCount() const;
    // Ends the program as the main window's close does: save prompts (Cancel stops it), documents
    // closed, main frame destroyed, event loop ended.
    void OnAppExit();

    // --- recent files ----------------------------------------------------------------------------------
    // Reads "Recent File List" / "File1".."Filen" (n = nMaxMRU) and "Settings" / "PreviewPages".
    void LoadStdProfileSettings(int nMaxMRU = 4);
    void SaveStdProfileSettings();
    // Puts the path (made absolute) at the top; an entry already there moves up; the oldest falls off.
    virtual void AddToRecentFileList(const std::string& strPathName);
    void RemoveFromRecentFileList(int nIndex);
    const std::vector<std::string>& GetRecentFileList() const { return m_recentFiles; }
    int GetMaxRecentFiles() const { return m_nMaxMRU; }
    // What ID_FILE_MRU_FILE1 + nIndex does.
    bool OnOpenRecentFile(int nIndex);

    // --- settings ----------------------------------------------------------------------------------------
    // Settings go to $XDG_CONFIG_HOME/<key path>/<application name>.ini.
    void SetRegistryKey(const std::string& strRegistryKey);
    uint32_t GetProfileInt(const std::string& strSection, const std::string& strEntry, uint32_t nDefault);
    std::string GetProfileString(const std::string& strSection, const std::string& strEntry,
                                 const std::string& strDefault = {});
    bool WriteProfileInt(const std::string& strSection, const std::string& strEntry, uint32_t nValue);
    bool WriteProfileString(const std::string& strSection, const std::string& strEntry,
                            const std::string& strValue);

private:
    mutable std::string m_strAppName;
    std::vector<std::unique_ptr<CDocTemplate>> m_templates;
    std::vector<std::string> m_recentFiles;
    int m_nMaxMRU = 0;
    bool m_bRecentLoaded = false;
};

// The application object, or null before it is made and after it is gone.
CWinApp* AfxGetApp();
// The application's main frame, or null.
CFrameWnd* AfxGetMainWnd();
