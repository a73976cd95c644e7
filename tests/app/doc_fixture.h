#pragma once
// The program as the document sees it, for one test: the application object with its two document types,
// the main frame, a scripted modal runner, a private settings folder and a folder for card files. The
// start-up steps that need the desktop bus are left out; everything the document calls is the real thing.
#include "app/quorrelapp.h"
#include "app/settings.h"
#include "cardstore/cardfile.h"
#include "cardstore/cardstore.h"
#include "cardstore/quorreldoc.h"
#include "cardstore/safefile.h"
#include "framework/dialog.h"
#include "framework/mdichildwnd.h"
#include "framework/modalrunner.h"
#include "framework/multidoctemplate.h"
#include "framework/profile.h"
#include "framework/restypes.h"
#include "res/resource.h"
#include "res/resources.h"
#include "tests/app/private_profile.h"
#include "tests/framework/fw_test_app.h"
#include "ui/childfrm.h"
#include "ui/mainfrm.h"
#include "ui/quorrelview.h"

#include <QCheckBox>
#include <QLineEdit>
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace doctest {

using Bytes = std::vector<uint8_t>;

inline Bytes ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteFileBytes(const std::string& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

inline bool Exists(const std::string& path) {
    return std::filesystem::exists(path);
}

inline std::string Marker(const std::string& path) {
    const Bytes bytes = ReadFileBytes(path);
    return std::string(bytes.begin(),
                       bytes.begin() + static_cast<std::ptrdiff_t>(std::min<size_t>(9, bytes.size())));
}

// A card file with one login card, written by the card store's writer; encrypted when a password is given.
inline Bytes MakeCardFile(const std::string& password = {}, const std::string& field1 = "mail login") {
    CCardStore store;
    auto card = std::make_unique<CCard>();
    card->SetCategory("Login Accounts");
    card->SetField1(field1);
    card->SetField4("hunter22");
    store.FindCategoryArray("Login Accounts")->AddCard(std::move(card));
    store.m_strPassword = password;
    CMemorySink sink;
    const MessageSink quiet = [](const std::string&) {};
    if (password.empty()) {
        SavePlain(store, sink, quiet);
    } else {
        SaveEncrypted(store, sink, quiet);
    }
    return sink.m_bytes;
}

inline void TypeInto(CDialog& dlg, int nID, const std::string& text) {
    auto* pEdit = qobject_cast<QLineEdit*>(dlg.GetDlgItem(nID));
    ASSERT_NE(pEdit, nullptr);
    pEdit->setText(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

inline bool IsChecked(CDialog& dlg, int nID) {
    auto* pBox = qobject_cast<QCheckBox*>(dlg.GetDlgItem(nID));
    return pBox && pBox->isChecked();
}

// Answers the decryption prompt: the password typed and OK, or Cancel.
inline fw::CScriptedRunner::DialogHandler EnterPassword(const std::string& password) {
    return [password](CDialog& dlg) {
        TypeInto(dlg, IDC_DECRYPT_PASSWORD, password);
        return fw::IDOK;
    };
}

inline fw::CScriptedRunner::DialogHandler Cancel() {
    return [](CDialog&) { return fw::IDCANCEL; };
}

// Answers the File Encryption dialog as a user would: ticks or clears the box, types both fields, OK.
inline fw::CScriptedRunner::DialogHandler EncryptionAnswer(bool bEncrypt, const std::string& key = {},
                                                           const std::string& confirm = {}) {
    return [=](CDialog& dlg) {
        if (IsChecked(dlg, IDC_ENCRYPT_ON_SAVE) != bEncrypt) {
            dlg.ClickButton(IDC_ENCRYPT_ON_SAVE);
        }
        if (bEncrypt) {
            TypeInto(dlg, IDC_KEY, key);
            TypeInto(dlg, IDC_KEY_CONFIRM, confirm);
        }
        return fw::IDOK;
    };
}

class CDocFixture : public ::testing::Test {
protected:
    void SetUp() override {
        fwtest::App();
        m_strDir = testenv::MakePrivateProfile("quorrel-doctest");
        ASSERT_FALSE(m_strDir.empty());
        m_pScope = std::make_unique<fw::CScopedRunner>(m_runner);

        m_pApp = std::make_unique<CQuorrelApp>();
        m_pApp->SetRegistryKey(settings::kRegistryKey);
        m_pApp->LoadStdProfileSettings(4);
        auto makeTemplate = [](int nIDResource) {
            return new CMultiDocTemplate(
                nIDResource, [] { return new CQuorrelDoc; }, [] { return new CChildFrame; },
                [] { return new CQuorrelView; });
        };
        m_pApp->m_pPlainTemplate = makeTemplate(IDR_PLAINTYPE);
        m_pApp->AddDocTemplate(m_pApp->m_pPlainTemplate);
        m_pApp->m_pEncryptedTemplate = makeTemplate(IDR_ENCRYPTEDTYPE);
        m_pApp->AddDocTemplate(m_pApp->m_pEncryptedTemplate);
        m_pMain = new CMainFrame;
        ASSERT_TRUE(m_pMain->LoadFrame(IDR_MAINFRAME));
        m_pApp->m_pMainWnd = m_pMain;
    }

    void TearDown() override {
        CSafeFileWriter::SetFailAfterForTesting(std::nullopt);
        if (m_pApp) {
            m_pApp->CloseAllDocuments(true);
            fwtest::ProcessEvents();
            m_pApp.reset();
        }
        fwtest::ProcessEvents();
        m_pScope.reset();
        std::error_code ec;
        std::filesystem::remove_all(m_strDir, ec);
    }

    std::string PathOf(const std::string& name) const { return m_strDir + "/" + name; }

    CQuorrelDoc* Open(const std::string& path) {
        CDocument* pDoc = m_pApp->OpenDocumentFile(path);
        fwtest::ProcessEvents();
        return dynamic_cast<CQuorrelDoc*>(pDoc);
    }

    // A document window's command, sent the way the menu sends it.
    bool Send(CQuorrelDoc* pDoc, int nID) {
        Activate(pDoc);
        const bool bRan = m_pMain->SendCommand(nID);
        fwtest::ProcessEvents();
        return bRan;
    }

    void Activate(CQuorrelDoc* pDoc) {
        for (CFrameWnd* pFrame : pDoc->GetFrames()) {
            if (auto* pChild = dynamic_cast<CMDIChildWnd*>(pFrame)) {
                pChild->MDIActivate();
            }
        }
        fwtest::ProcessEvents();
    }

    std::string SaveStatusText() const {
        return m_pMain->m_wndStatusDialogBar.GetDlgItemText(IDC_SAVE_STATUS_TEXT);
    }

    int EncryptButtonImage() const {
        int nID = 0;
        unsigned nStyle = 0;
        int nImage = -1;
        m_pMain->m_wndToolBar.GetButtonInfo(3, nID, nStyle, nImage);
        return nImage;
    }

    size_t OpenDocumentCount() const {
        return m_pApp->m_pPlainTemplate->GetDocuments().size() +
               m_pApp->m_pEncryptedTemplate->GetDocuments().size();
    }

    std::string m_strDir;
    fw::CScriptedRunner m_runner;
    std::unique_ptr<fw::CScopedRunner> m_pScope;
    std::unique_ptr<CQuorrelApp> m_pApp;
    CMainFrame* m_pMain = nullptr;
};

} // namespace doctest
