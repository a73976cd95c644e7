// The decryption prompt and the File Encryption dialog, run through the scripted modal runner.
#include "cardstore/decryptpassworddlg.h"
#include "cardstore/fileencryptiondlg.h"
#include "tests/app/doc_fixture.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QRect>

namespace {

using doctest::IsChecked;
using doctest::TypeInto;

class PasswordDialogs : public ::testing::Test {
protected:
    void SetUp() override {
        fwtest::App();
        fw::SetResourceSet(&QuorrelResources());
    }

    static std::string EditText(CDialog& dlg, int nID) {
        auto* pEdit = qobject_cast<QLineEdit*>(dlg.GetDlgItem(nID));
        return pEdit ? pEdit->text().toStdString() : std::string("<no edit>");
    }

    static bool IsMasked(CDialog& dlg, int nID) {
        auto* pEdit = qobject_cast<QLineEdit*>(dlg.GetDlgItem(nID));
        return pEdit && pEdit->echoMode() == QLineEdit::Password;
    }

    static bool IsReadOnly(CDialog& dlg, int nID) {
        auto* pEdit = qobject_cast<QLineEdit*>(dlg.GetDlgItem(nID));
        return pEdit && pEdit->isReadOnly();
    }

    fw::CScriptedRunner m_runner;
    fw::CScopedRunner m_scope{m_runner};
};

TEST_F(PasswordDialogs, DecryptPromptShowsItsCaptionMasksTheEntryAndReturnsIt) {
    bool bMasked = false;
    bool bIcon = false;
    m_runner.m_dialogHandlers.push_back([&](CDialog& dlg) {
        bMasked = IsMasked(dlg, IDC_DECRYPT_PASSWORD);
        auto* pReveal = qobject_cast<QAbstractButton*>(dlg.GetDlgItem(IDC_REVEAL_PASSWORD));
        bIcon = pReveal && !pReveal->icon().isNull();
        TypeInto(dlg, IDC_DECRYPT_PASSWORD, "Secret pass 1");
        return fw::IDOK;
    });
    CDecryptPasswordDlg dlg;
    dlg.m_strCaption = "Decryption Password for file: bank.qre";

    ASSERT_EQ(dlg.DoModal(), fw::IDOK);
    EXPECT_EQ(dlg.m_strPassword, "Secret pass 1");
    ASSERT_EQ(m_runner.m_dialogCaptions.size(), 1u);
    EXPECT_EQ(m_runner.m_dialogCaptions[0], "Decryption Password for file: bank.qre");
    EXPECT_TRUE(bMasked);
    EXPECT_TRUE(bIcon);
}

// What the reveal button of either dialog shows: the text typed so far in the field it belongs to.
struct RevealCase {
    const char* name;
    bool bDecrypt;      // the prompt, else File Encryption
    const char* first;  // the prompt's edit, or IDC_KEY
    const char* second; // IDC_KEY_CONFIRM (File Encryption only)
    const char* shown;
};

class RevealPopup : public PasswordDialogs, public ::testing::WithParamInterface<RevealCase> {};

TEST_P(RevealPopup, ShowsTheTypedTextAsOneDisabledItemBesideTheButton) {
    const RevealCase& c = GetParam();
    const int nEdit = c.bDecrypt ? IDC_DECRYPT_PASSWORD : IDC_KEY;
    const int nButton = c.bDecrypt ? IDC_REVEAL_PASSWORD : IDC_REVEAL_KEY;
    QRect button;
    QWidget* pWindow = nullptr;
    m_runner.m_dialogHandlers.push_back([&](CDialog& dlg) {
        TypeInto(dlg, nEdit, c.first);
        if (!c.bDecrypt) {
            TypeInto(dlg, IDC_KEY_CONFIRM, c.second);
        }
        button = dlg.GetControlScreenRect(nButton);
        pWindow = dlg.GetWindow();
        // Never confirmed with OK: the popup must show the edit's text as it stands.
        dlg.ClickButton(nButton);
        return fw::IDCANCEL;
    });
    if (c.bDecrypt) {
        CDecryptPasswordDlg dlg;
        dlg.DoModal();
    } else {
        CFileEncryptionDlg dlg;
        dlg.m_bEncryptOnSave = 1;
        dlg.DoModal();
    }

    ASSERT_EQ(m_runner.m_popups.size(), 1u);
    const fw::PopupMenuRequest& popup = m_runner.m_popups[0];
    ASSERT_EQ(popup.items.size(), 1u);
    EXPECT_EQ(popup.items[0].text, c.shown);
    EXPECT_TRUE(popup.items[0].disabled);
    EXPECT_EQ(popup.items[0].command, 0);
    EXPECT_EQ(popup.x, button.x() + button.width() + 5);
    EXPECT_EQ(popup.y, button.y() + button.height());
    EXPECT_EQ(popup.owner, pWindow);
}

INSTANTIATE_TEST_SUITE_P(
    BothDialogs, RevealPopup,
    ::testing::Values(RevealCase{"PromptTyped", true, "typed so far", "", "typed so far"},
                      RevealCase{"PromptEmpty", true, "", "", ""},
                      RevealCase{"PromptNonAscii", true, "p\xc3\xa4ss w\xc3\xb6rd", "",
                                 "p\xc3\xa4ss w\xc3\xb6rd"},
                      RevealCase{"EncryptionShowsFirstField", false, "first key", "second key", "first key"},
                      RevealCase{"EncryptionEmptyFirstField", false, "", "only the second", ""}),
    [](const ::testing::TestParamInfo<RevealCase>& info) { return std::string(info.param.name); });

TEST_F(PasswordDialogs, EncryptionOffOpensOneHundredPixelsLowerWithTheWarningCutOff) {
    struct Layout {
        QSize size;
        bool bReadOnly = false;
        bool bMasked = false;
        int nWarningTop = 0;
    };
    auto layoutFor = [&](int32_t bEncrypt) {
        Layout layout;
        m_runner.m_dialogHandlers.push_back([&](CDialog& dlg) {
            layout.size = dlg.GetWindowSize();
            layout.bReadOnly = IsReadOnly(dlg, IDC_KEY) && IsReadOnly(dlg, IDC_KEY_CONFIRM);
            layout.bMasked = IsMasked(dlg, IDC_KEY) && IsMasked(dlg, IDC_KEY_CONFIRM);
            layout.nWarningTop = dlg.GetDlgItem(IDC_KEY_WARNING)->geometry().top();
            return fw::IDCANCEL;
        });
        CFileEncryptionDlg dlg;
        dlg.m_bEncryptOnSave = bEncrypt;
        dlg.DoModal();
        return layout;
    };
    const Layout on = layoutFor(1);
    const Layout off = layoutFor(0);

    EXPECT_EQ(on.size.width(), off.size.width());
    EXPECT_EQ(on.size.height() - off.size.height(), 100);
    EXPECT_FALSE(on.bReadOnly);
    EXPECT_TRUE(off.bReadOnly);
    EXPECT_TRUE(on.bMasked);
    EXPECT_TRUE(off.bMasked);
    EXPECT_LT(on.nWarningTop, on.size.height());
    EXPECT_GE(off.nWarningTop, off.size.height());
}

TEST_F(PasswordDialogs, UncheckingEmptiesBothFieldsAndTickingAgainLeavesThemEmpty) {
    QSize full;
    QSize folded;
    QSize unfolded;
    std::string firstAfterUncheck = "<not run>";
    std::string secondAfterUncheck = "<not run>";
    bool bReadOnlyFolded = false;
    bool bWritableAgain = false;
    m_runner.m_dialogHandlers.push_back([&](CDialog& dlg) {
        full = dlg.GetWindowSize();
        TypeInto(dlg, IDC_KEY, "typed but dropped");
        dlg.ClickButton(IDC_ENCRYPT_ON_SAVE); // clears the box
        folded = dlg.GetWindowSize();
        firstAfterUncheck = EditText(dlg, IDC_KEY);
        secondAfterUncheck = EditText(dlg, IDC_KEY_CONFIRM);
        bReadOnlyFolded = IsReadOnly(dlg, IDC_KEY) && IsReadOnly(dlg, IDC_KEY_CONFIRM);
        dlg.ClickButton(IDC_ENCRYPT_ON_SAVE); // ticks it again
        unfolded = dlg.GetWindowSize();
        bWritableAgain = !IsReadOnly(dlg, IDC_KEY) && !IsReadOnly(dlg, IDC_KEY_CONFIRM);
        return fw::IDOK;
    });
    CFileEncryptionDlg dlg;
    dlg.m_bEncryptOnSave = 1;
    dlg.m_strPassword = "old password";
    dlg.m_strPasswordConfirm = "old password";

    ASSERT_EQ(dlg.DoModal(), fw::IDOK);
    EXPECT_EQ(firstAfterUncheck, "");
    EXPECT_EQ(secondAfterUncheck, "");
    EXPECT_TRUE(bReadOnlyFolded);
    EXPECT_EQ(full.height() - folded.height(), 100);
    EXPECT_EQ(unfolded, full);
    EXPECT_TRUE(bWritableAgain);
    EXPECT_EQ(dlg.m_bEncryptOnSave, 1);
    EXPECT_EQ(dlg.m_strPassword, "");
    EXPECT_EQ(dlg.m_strPasswordConfirm, "");
}

TEST_F(PasswordDialogs, EncryptionDialogReturnsTheBoxAndBothFields) {
    m_runner.m_dialogHandlers.push_back([](CDialog& dlg) {
        EXPECT_FALSE(IsChecked(dlg, IDC_ENCRYPT_ON_SAVE));
        dlg.ClickButton(IDC_ENCRYPT_ON_SAVE);
        TypeInto(dlg, IDC_KEY, "new key 1");
        TypeInto(dlg, IDC_KEY_CONFIRM, "new key 2");
        return fw::IDOK;
    });
    CFileEncryptionDlg dlg;

    ASSERT_EQ(dlg.DoModal(), fw::IDOK);
    EXPECT_EQ(dlg.m_bEncryptOnSave, 1);
    EXPECT_EQ(dlg.m_strPassword, "new key 1");
    EXPECT_EQ(dlg.m_strPasswordConfirm, "new key 2");
}

TEST_F(PasswordDialogs, AboutKeysOpensItsOwnDialogAndReturnsToTheEncryptionDialog) {
    int nInnerTemplate = 0;
    m_runner.m_dialogHandlers.push_back([](CDialog& dlg) {
        dlg.ClickButton(IDC_ABOUT_KEYS);
        return fw::IDCANCEL;
    });
    m_runner.m_dialogHandlers.push_back([&](CDialog& dlg) {
        nInnerTemplate = dlg.GetTemplateId();
        return fw::IDOK;
    });
    CFileEncryptionDlg dlg;

    EXPECT_EQ(dlg.DoModal(), fw::IDCANCEL);
    EXPECT_EQ(nInnerTemplate, IDD_ABOUT_KEYS);
    ASSERT_EQ(m_runner.m_dialogCaptions.size(), 2u);
    EXPECT_EQ(m_runner.m_dialogCaptions[0], "File Encryption");
    EXPECT_EQ(m_runner.m_dialogCaptions[1], "About Keys");
}

} // namespace
