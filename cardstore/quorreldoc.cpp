#include "cardstore/quorreldoc.h"

#include "app/quorrelapp.h"
#include "app/settings.h"
#include "cardstore/cardfile.h"
#include "cardstore/decryptpassworddlg.h"
#include "cardstore/fileencryptiondlg.h"
#include "cardstore/passwordkey.h"
#include "cardstore/safefile.h"
#include "framework/cmdtarget.h"
#include "framework/mdichildwnd.h"
#include "framework/modalrunner.h"
#include "framework/multidoctemplate.h"
#include "res/resource.h"
#include "ui/mainfrm.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <optional>
#include <system_error>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr char kExtPlain[] = ".qrf";
constexpr char kExtEncrypted[] = ".qre";
constexpr char kPromptTitle[] = "Decryption Password for file: ";
constexpr char kMsgMismatch[] = "Password not correct, try again!";
constexpr char kMsgTooShort[] = "Password to short, please use more characters!";
// The writer's header message names the same failure the file reports with its reason.
constexpr char kMsgHeaderWrite[] = "Write error, file heading.";

// Messages of the card file code: plain boxes without an owner, under the caption "Error".
void ShowCardFileMessage(const std::string& text) {
    fw::MessageBox(text);
}

// Messages of the main frame: the application's title and an OK button.
void ShowFrameMessage(const std::string& text) {
    CWinApp* pApp = AfxGetApp();
    fw::MessageBox(text, pApp ? pApp->GetAppName() : std::string(), fw::MB_OK, AfxGetMainWnd());
}

bool EndsWithNoCase(const std::string& text, const std::string& suffix) {
    if (text.size() < suffix.size()) {
        return false;
    }
    return std::equal(suffix.begin(), suffix.end(), text.end() - static_cast<std::ptrdiff_t>(suffix.size()),
                      [](char a, char b) {
                          return std::tolower(static_cast<unsigned char>(a)) ==
                                 std::tolower(static_cast<unsigned char>(b));
                      });
}

std::string FileNameOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool NamesSameFile(const std::string& a, const std::string& b) {
    if (a == b) {
        return true;
    }
    std::error_code ec;
    return std::filesystem::equivalent(a, b, ec) && !ec;
}

CDocTemplate* PlainTemplate() {
    CQuorrelApp* pApp = GetQuorrelApp();
    return pApp ? pApp->m_pPlainTemplate : nullptr;
}

CDocTemplate* EncryptedTemplate() {
    CQuorrelApp* pApp = GetQuorrelApp();
    return pApp ? pApp->m_pEncryptedTemplate : nullptr;
}

} // namespace

CQuorrelDoc::CQuorrelDoc() {
    OnCommand(ID_FILE_ENCRYPTONSAVE, [this] { OnEncryptOnSave(); });
    OnCommand(ID_ENCRYPT_FILE, [this] { OnEncryptOnSave(); });
    for (int nID : {ID_FILE_ENCRYPTONSAVE, ID_PRINT_PREVIEW, ID_ENCRYPT_FILE, ID_FIND_CARD, ID_FILE_PRINT,
                    ID_FILE_PRINT_SETUP, ID_FILE_SAVE, ID_FILE_SAVE_AS, ID_EDIT_FIND}) {
        OnUpdateCommand(nID, [this](CCmdUI* pCmdUI) { OnUpdateNeedsCards(pCmdUI); });
    }
}

CQuorrelDoc::~CQuorrelDoc() = default;

bool CQuorrelDoc::Serialize(Archive& ar) {
    if (settings::IsAutoSaveOn()) {
        if (CMainFrame* pMain = GetMainFrame()) {
            pMain->StartAutoSaveTimer(1);
        }
    }
    const MessageSink message = ar.message ? ar.message : MessageSink(ShowCardFileMessage);
    if (ar.bStoring) {
        if (!ar.pSink) {
            return false;
        }
        return m_bEncryptOnSave == 1 ? SaveEncrypted(*this, *ar.pSink, message)
                                     : SavePlain(*this, *ar.pSink, message);
    }
    const std::string strFileTitle = ar.strFileTitle;
    const PasswordPrompt prompt = [&strFileTitle]() -> std::optional<std::string> {
        CDecryptPasswordDlg dlg;
        dlg.m_strCaption = kPromptTitle + strFileTitle;
        if (dlg.DoModal() != fw::IDOK) {
            return std::nullopt;
        }
        return dlg.m_strPassword;
    };
    return LoadCardFile(*this, ar.file, prompt, message);
}

bool CQuorrelDoc::OnOpenDocument(const std::string& strPathName) {
    if (!CDocument::OnOpenDocument(strPathName)) {
        return false;
    }
    std::string strError;
    std::optional<std::vector<uint8_t>> file = ReadWholeFile(strPathName, &strError);
    if (!file) {
        SetFailureReason(strError);
        return false;
    }
    Archive ar;
    ar.bStoring = false;
    ar.file = *file;
    ar.strFileTitle = FileNameOf(strPathName);
    const bool bLoaded = Serialize(ar);
    WipeBytes(file->data(), file->size());
    if (!bLoaded) {
        // The reader has said why, or there is nothing to say (an empty file, a cancelled prompt).
        SetFailureReported();
        return false;
    }
    SetModifiedFlag(false);
    m_strFilePath = strPathName;
    return true;
}

bool CQuorrelDoc::OnSaveDocument(const std::string& strPathName) {
    CSafeFileWriter writer;
    if (!writer.Open(strPathName)) {
        SetFailureReason(writer.GetError());
        return false;
    }
    // The writer's messages wait until it is known whether the file itself failed: then the user gets
    // one message, with the reason, instead of two.
    std::vector<std::string> messages;
    Archive ar;
    ar.bStoring = true;
    ar.pSink = &writer;
    ar.message = [&messages](const std::string& text) { messages.push_back(text); };
    bool bSaved = Serialize(ar);
    if (bSaved) {
        bSaved = writer.Commit();
    }
    if (!bSaved) {
        writer.Abort();
        const bool bFileFailed = !writer.GetError().empty();
        for (const std::string& text : messages) {
            if (!(bFileFailed && text == kMsgHeaderWrite)) {
                ShowCardFileMessage(text);
            }
        }
        if (bFileFailed) {
            SetFailureReason(writer.GetError());
        } else {
            SetFailureReported();
        }
        return false;
    }
    for (const std::string& text : messages) {
        ShowCardFileMessage(text);
    }
    DeleteStaleFiles(strPathName);
    m_strFilePath = strPathName;
    return true;
}

void CQuorrelDoc::DeleteStaleFiles(const std::string& strWrittenPath) {
    for (std::string* pStale : {&m_strStalePlainPath, &m_strStaleEncryptedPath}) {
        if (!pStale->empty() && !NamesSameFile(*pStale, strWrittenPath)) {
            // Only a file this user may read and write goes; anything else stays without a word.
            const int fd = ::open(pStale->c_str(), O_RDWR | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
            if (fd >= 0) {
                ::close(fd);
                ::unlink(pStale->c_str());
            }
        }
        pStale->clear();
    }
}

void CQuorrelDoc::OnEncryptOnSave() {
    CFileEncryptionDlg dlg;
    dlg.m_bEncryptOnSave = m_bEncryptOnSave;
    if (m_bEncryptOnSave == 1) {
        dlg.m_strPassword = m_strPassword;
        dlg.m_strPasswordConfirm = m_strPassword;
    }
    if (dlg.DoModal() != fw::IDOK) {
        return;
    }
    m_bEncryptOnSave = dlg.m_bEncryptOnSave;
    if (m_bEncryptOnSave == 1) {
        if (dlg.m_strPassword != dlg.m_strPasswordConfirm) {
            ShowFrameMessage(kMsgMismatch);
            m_bEncryptOnSave = 0;
            WipeString(m_strPassword);
        } else if (!IsPasswordLongEnough(dlg.m_strPassword)) {
            ShowFrameMessage(kMsgTooShort);
        } else {
            WipeString(m_strPassword);
            m_strPassword = dlg.m_strPassword;
            SetModifiedFlag();
        }
    } else {
        SetModifiedFlag();
    }
    UpdateEncryptionState();
}

void CQuorrelDoc::OnUpdateNeedsCards(CCmdUI* pCmdUI) {
    pCmdUI->Enable(GetTotalStoredSize() > 0);
}

std::string CQuorrelDoc::ChangeCardFileExtension(const std::string& strPath, const std::string& strNewExt) {
    const std::string strOldExt = strNewExt == kExtEncrypted ? kExtPlain : kExtEncrypted;
    if (EndsWithNoCase(strPath, strNewExt)) {
        return strPath;
    }
    if (EndsWithNoCase(strPath, strOldExt)) {
        return strPath.substr(0, strPath.size() - strOldExt.size()) + strNewExt;
    }
    // Any other name keeps all its characters: cutting four off could leave its folder.
    return strPath + strNewExt;
}

CFrameWnd* CQuorrelDoc::FindOwnFrame() const {
    if (CMainFrame* pMain = GetMainFrame()) {
        if (CMDIChildWnd* pActive = pMain->MDIGetActive()) {
            if (pActive->GetActiveDocument() == this) {
                return pActive;
            }
        }
    }
    const std::vector<CFrameWnd*> frames = GetFrames();
    return frames.empty() ? nullptr : frames.front();
}

void CQuorrelDoc::MoveToTemplate(CDocTemplate* pTarget, std::string& strStalePath,
                                 const std::string& strNewExt) {
    CDocTemplate* pCurrent = GetDocTemplate();
    if (!pTarget || pCurrent == pTarget) {
        return;
    }
    // Only the document's own file becomes stale. A name it got from an earlier switch and never wrote
    // may belong to another card file of the user's, which must survive the next save.
    strStalePath = NamesSameFile(GetPathName(), m_strFilePath) ? GetPathName() : std::string();
    if (pCurrent) {
        pCurrent->RemoveDocument(this);
    }
    pTarget->AddDocument(this);
    // A document never saved keeps no name: Save asks for one.
    if (!GetPathName().empty()) {
        SetPathName(ChangeCardFileExtension(GetPathName(), strNewExt));
    }
    SetModifiedFlag();
}

void CQuorrelDoc::RemakeFrame(CDocTemplate* pTemplate) {
    if (!pTemplate) {
        return;
    }
    CFrameWnd* pOld = FindOwnFrame();
    CFrameWnd* pNew = pTemplate->CreateNewFrame(this, pOld);
    if (!pNew) {
        // Without a new window the old one stays, so the document keeps its view.
        return;
    }
    pTemplate->InitialUpdateFrame(pNew, this, true);
    if (pOld) {
        pOld->DestroyWindow();
    }
}

void CQuorrelDoc::UpdateEncryptionState() {
    CMainFrame* pMain = GetMainFrame();
    if (IsDisplayedEncrypted()) {
        if (pMain) {
            pMain->ShowSaveStatus(true);
            pMain->SetToolbarButtonImage(3, ID_ENCRYPT_FILE, pMain->GetEncryptedImage());
        }
        CDocTemplate* pEncrypted = EncryptedTemplate();
        if (GetDocTemplate() == PlainTemplate()) {
            MoveToTemplate(pEncrypted, m_strStalePlainPath, kExtEncrypted);
        }
        RemakeFrame(pEncrypted);
    } else {
        CDocTemplate* pPlain = PlainTemplate();
        if (GetDocTemplate() == EncryptedTemplate()) {
            MoveToTemplate(pPlain, m_strStaleEncryptedPath, kExtPlain);
        }
        RemakeFrame(pPlain);
        if (pMain) {
            pMain->ShowSaveStatus(false);
            pMain->SetToolbarButtonImage(3, ID_ENCRYPT_FILE, 3);
            pMain->UpdateWindow();
        }
    }
}
