#include "framework/winapp.h"

#include "framework/afxres.h"
#include "framework/doctemplate.h"
#include "framework/document.h"
#include "framework/framewnd.h"
#include "framework/fwcommon.h"
#include "framework/modalrunner.h"
#include "framework/profile.h"
#include "framework/restypes.h"

#include <QApplication>
#include <QThread>
#include <algorithm>

namespace {
CWinApp* g_pApp = nullptr;
constexpr const char* RecentSection = "Recent File List";
}  // namespace

CWinApp* AfxGetApp() { return g_pApp; }

CFrameWnd* AfxGetMainWnd() { return g_pApp != nullptr ? g_pApp->m_pMainWnd : nullptr; }

CWinApp::CWinApp(const std::string& strAppName) : m_strAppName(strAppName) {
    g_pApp = this;
    OnCommand(ID_APP_EXIT, [this] { OnAppExit(); });
    OnCommandRange(ID_FILE_MRU_FILE1, ID_FILE_MRU_FILE4,
                   [this](int nID) { OnOpenRecentFile(nID - ID_FILE_MRU_FILE1); });
    // Entries that exist are enabled; the placeholder (entry 1) stays grayed while the list is empty.
    OnUpdateCommandRange(ID_FILE_MRU_FILE1, ID_FILE_MRU_FILE4, [this](CCmdUI* pCmdUI) {
        pCmdUI->Enable(pCmdUI->m_nID - ID_FILE_MRU_FILE1 < static_cast<int>(m_recentFiles.size()));
    });
}

CWinApp::~CWinApp() {
    if (m_pMainWnd != nullptr) {
        CFrameWnd* pMainWnd = m_pMainWnd;
        m_pMainWnd = nullptr;
        delete pMainWnd;
    }
    m_templates.clear();
    if (g_pApp == this) {
        g_pApp = nullptr;
    }
}

const std::string& CWinApp::GetAppName() const {
    if (m_strAppName.empty()) {
        m_strAppName = fw::LoadResString(AFX_IDS_APP_TITLE);
    }
    return m_strAppName;
}

int CWinApp::Run() {
    if (qApp == nullptr) {
        return -1;
    }
    // The program ends when its main frame goes, not when some last window happens to close.
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::exec();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return ExitInstance();
}

int CWinApp::ExitInstance() {
    if (m_bRecentLoaded) {
        SaveStdProfileSettings();
    }
    return 0;
}

// --- document templates --------------------------------------------------------------------------------------

void CWinApp::AddDocTemplate(CDocTemplate* pTemplate) {
    if (pTemplate != nullptr) {
        m_templates.emplace_back(pTemplate);
    }
}

std::vector<CDocTemplate*> CWinApp::GetDocTemplates() const {
    std::vector<CDocTemplate*> templates;
    for (const auto& pTemplate : m_templates) {
        templates.push_back(pTemplate.get());
    }
    return templates;
}

void CWinApp::OnFileNew() {
    if (m_templates.empty()) {
        return;
    }
    CDocTemplate* pChosen = m_templates.front().get();
    for (const auto& pTemplate : m_templates) {
        if (!pTemplate->GetDocString(CDocTemplate::fileNewName).empty()) {
            pChosen = pTemplate.get();
            break;
        }
    }
    pChosen->OpenDocumentFile({});
}

void CWinApp::OnFileOpen() {
    fw::FileDialogRequest request;
    request.open = true;
    request.title = "Open";
    for (const auto& pTemplate : m_templates) {
        auto filter = pTemplate->GetFilter();
        if (!filter.first.empty()) {
            request.filters.push_back(std::move(filter));
        }
    }
    request.filters.emplace_back("All Files (*.*)", "*");
    request.owner = fw::MessageOwner();
    const std::optional<std::string> answer = fw::GetModalRunner().FileDialog(request);
    if (answer && !answer->empty()) {
        OpenDocumentFile(*answer);
    }
}

CDocument* CWinApp::OpenDocumentFile(const std::string& strPathName) {
    if (strPathName.empty() || m_templates.empty()) {
        return nullptr;
    }
    const std::string strPath = fw::AbsolutePath(strPathName);
    CDocTemplate* pBest = nullptr;
    CDocTemplate::Confidence best = CDocTemplate::noAttempt;
    for (const auto& pTemplate : m_templates) {
        CDocument* pOpen = nullptr;
        const CDocTemplate::Confidence match = pTemplate->MatchDocType(strPath, pOpen);
        if (match == CDocTemplate::yesAlreadyOpen && pOpen != nullptr) {
            // Never the same file twice: its window comes to the front instead.
            const std::vector<CFrameWnd*> frames = pOpen->GetFrames();
            if (!frames.empty()) {
                frames.front()->ActivateFrame();
            }
            return pOpen;
        }
        if (match > best) {
            best = match;
            pBest = pTemplate.get();
        }
    }
    if (best < CDocTemplate::yesAttemptNative) {
        pBest = m_templates.front().get();
    }
    return pBest->OpenDocumentFile(strPath);
}

bool CWinApp::SaveAllModified() {
    for (const auto& pTemplate : m_templates) {
        if (!pTemplate->SaveAllModified()) {
            return false;
        }
    }
    return true;
}

void CWinApp::CloseAllDocuments(bool bEndSession) {
    for (const auto& pTemplate : m_templates) {
        pTemplate->CloseAllDocuments(bEndSession);
    }
}

int CWinApp::GetOpenDocumentCount() const {
    size_t nCount = 0;
    for (const auto& pTemplate : m_templates) {
        nCount += pTemplate->GetDocuments().size();
    }
    return static_cast<int>(nCount);
}

void CWinApp::OnAppExit() {
    if (m_pMainWnd != nullptr) {
        m_pMainWnd->OnClose();
        return;
    }
    if (SaveAllModified()) {
        CloseAllDocuments(false);
        if (QThread::currentThread()->loopLevel() > 0) {
            QCoreApplication::exit(0);
        }
    }
}

// --- recent files -------------------------------------------------------------------------------------------------

void CWinApp::LoadStdProfileSettings(int nMaxMRU) {
    m_nMaxMRU = std::clamp(nMaxMRU, 0, 16);
    m_recentFiles.clear();
    for (int i = 1; i <= m_nMaxMRU; ++i) {
        const std::string strPath = GetProfileString(RecentSection, "File" + std::to_string(i));
        if (!strPath.empty() && std::find(m_recentFiles.begin(), m_recentFiles.end(), strPath) == m_recentFiles.end()) {
            m_recentFiles.push_back(strPath);
        }
    }
    m_bRecentLoaded = true;
    m_nNumPreviewPages = static_cast<int>(GetProfileInt("Settings", "PreviewPages", 0));
}

void CWinApp::SaveStdProfileSettings() {
    for (int i = 1; i <= m_nMaxMRU; ++i) {
        const std::string strKey = "File" + std::to_string(i);
        if (static_cast<size_t>(i) <= m_recentFiles.size()) {
            WriteProfileString(RecentSection, strKey, m_recentFiles[static_cast<size_t>(i) - 1]);
        } else {
            CProfile::Instance().DeleteProfileValue(RecentSection, strKey);
        }
    }
    if (m_nNumPreviewPages != 0) {
        WriteProfileInt("Settings", "PreviewPages", static_cast<uint32_t>(m_nNumPreviewPages));
    }
}

void CWinApp::AddToRecentFileList(const std::string& strPathName) {
    if (!m_bRecentLoaded || m_nMaxMRU <= 0 || strPathName.empty()) {
        return;
    }
    const std::string strPath = fw::AbsolutePath(strPathName);
    m_recentFiles.erase(std::remove(m_recentFiles.begin(), m_recentFiles.end(), strPath), m_recentFiles.end());
    m_recentFiles.insert(m_recentFiles.begin(), strPath);
    if (m_recentFiles.size() > static_cast<size_t>(m_nMaxMRU)) {
        m_recentFiles.resize(static_cast<size_t>(m_nMaxMRU));
    }
}

void CWinApp::RemoveFromRecentFileList(int nIndex) {
    if (nIndex >= 0 && static_cast<size_t>(nIndex) < m_recentFiles.size()) {
        m_recentFiles.erase(m_recentFiles.begin() + nIndex);
    }
}

bool CWinApp::OnOpenRecentFile(int nIndex) {
    if (nIndex < 0 || static_cast<size_t>(nIndex) >= m_recentFiles.size()) {
        return false;
    }
    const std::string strPath = m_recentFiles[static_cast<size_t>(nIndex)];
    if (OpenDocumentFile(strPath) != nullptr) {
        return true;
    }
    // A file that no longer opens leaves the list.
    auto it = std::find(m_recentFiles.begin(), m_recentFiles.end(), strPath);
    if (it != m_recentFiles.end()) {
        m_recentFiles.erase(it);
    }
    return false;
}

// --- settings -------------------------------------------------------------------------------------------------------

void CWinApp::SetRegistryKey(const std::string& strRegistryKey) {
    CProfile::Instance().SetLocation(strRegistryKey, GetAppName());
}

uint32_t CWinApp::GetProfileInt(const std::string& strSection, const std::string& strEntry, uint32_t nDefault) {
    return CProfile::Instance().GetProfileInt(strSection, strEntry, nDefault);
}

std::string CWinApp::GetProfileString(const std::string& strSection, const std::string& strEntry,
                                      const std::string& strDefault) {
    return CProfile::Instance().GetProfileString(strSection, strEntry, strDefault);
}

bool CWinApp::WriteProfileInt(const std::string& strSection, const std::string& strEntry, uint32_t nValue) {
    return CProfile::Instance().WriteProfileInt(strSection, strEntry, nValue);
}

bool CWinApp::WriteProfileString(const std::string& strSection, const std::string& strEntry,
                                 const std::string& strValue) {
    return CProfile::Instance().WriteProfileString(strSection, strEntry, strValue);
}
