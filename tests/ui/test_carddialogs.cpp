// The card, Edit URL and Note dialogs on their own: the reveal popup, the Edit URL round trip, the masking
// switch, and the byte limits that keep every typed text storable.
#include "res/resource.h"
#include "res/resources.h"
#include "tests/framework/fw_test_app.h"
#include "ui/carddlg.h"
#include "ui/editurldlg.h"
#include "ui/notedlg.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRect>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <string>

namespace {

QString Q(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

class CardDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        fwtest::App();
        fw::SetResourceSet(&QuorrelResources());
        m_pScope = std::make_unique<fw::CScopedRunner>(m_runner);
    }
    void TearDown() override {
        m_pScope.reset();
        fwtest::ProcessEvents();
    }
    // Runs the dialog with one handler; the result of DoModal.
    int Run(CDialog& dlg, fw::CScriptedRunner::DialogHandler handler) {
        m_runner.m_dialogHandlers.push_back(std::move(handler));
        return dlg.DoModal();
    }

    fw::CScriptedRunner m_runner;
    std::unique_ptr<fw::CScopedRunner> m_pScope;
};

TEST_F(CardDialogTest, RevealShowsTheTypedSecretOrEmptyAndLeavesTheFieldAlone) {
    CCardDlg dlg;
    QRect button;
    ASSERT_EQ(Run(dlg,
                  [&](CDialog& d) {
                      button = d.GetControlScreenRect(IDC_REVEAL_PASSWORD);
                      d.ClickButton(IDC_REVEAL_PASSWORD);
                      qobject_cast<QLineEdit*>(d.GetDlgItem(IDC_FIELD4))->insert("typed so far");
                      d.ClickButton(IDC_REVEAL_PASSWORD);
                      return fw::IDOK;
                  }),
              fw::IDOK);
    ASSERT_EQ(m_runner.m_popups.size(), 2u);
    for (const fw::PopupMenuRequest& popup : m_runner.m_popups) {
        ASSERT_EQ(popup.items.size(), 1u);
        EXPECT_TRUE(popup.items[0].disabled);
        EXPECT_EQ(popup.x, button.x() + button.width() + 5);
        EXPECT_EQ(popup.y, button.y() + button.height());
    }
    EXPECT_EQ(m_runner.m_popups[0].items[0].text, "Empty");
    EXPECT_EQ(m_runner.m_popups[1].items[0].text, "typed so far");
    EXPECT_EQ(dlg.m_strField4, "typed so far");
}

TEST_F(CardDialogTest, EmptySecretNeverBecomesEmpty) {
    CCardDlg dlg;
    Run(dlg, [](CDialog& d) {
        d.ClickButton(IDC_REVEAL_PASSWORD);
        return fw::IDOK;
    });
    EXPECT_EQ(dlg.m_strField4, "");
}

// The Edit URL dialog starts with field 2 as it stands in the card dialog; OK brings its text back.
struct UrlCase {
    const char* name;
    int nAnswer;
    std::string typed;
    std::string expected;
};

class EditUrlTest : public CardDialogTest, public ::testing::WithParamInterface<UrlCase> {};

TEST_P(EditUrlTest, RoundTrip) {
    const UrlCase& c = GetParam();
    CCardDlg dlg;
    dlg.m_strCategory = "WWW Pages";
    dlg.m_strField2 = "http://";
    std::string seen;
    Run(dlg, [&](CDialog& d) {
        EXPECT_TRUE(d.IsControlVisible(IDC_EDIT_URL));
        qobject_cast<QLineEdit*>(d.GetDlgItem(IDC_FIELD2))->insert("example");
        m_runner.m_dialogHandlers.push_back([&](CDialog& url) {
            seen = url.GetDlgItemText(IDC_URL);
            EXPECT_EQ(url.GetWindowText(), "Edit URL");
            auto* pEdit = qobject_cast<QPlainTextEdit*>(url.GetDlgItem(IDC_URL));
            pEdit->selectAll();
            pEdit->insertPlainText(Q(c.typed));
            return c.nAnswer;
        });
        d.ClickButton(IDC_EDIT_URL);
        EXPECT_EQ(d.GetDlgItemText(IDC_FIELD2), c.expected);
        return fw::IDOK;
    });
    EXPECT_EQ(seen, "http://example");
    EXPECT_EQ(dlg.m_strField2, c.expected);
}

INSTANTIATE_TEST_SUITE_P(Answers, EditUrlTest,
                         ::testing::Values(UrlCase{"Ok", fw::IDOK, "http://example.org/a", "http://example.org/a"},
                                           UrlCase{"Cancel", fw::IDCANCEL, "http://other", "http://example"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(CardDialogTest, SecretShownPlainWhenNotMasked) {
    CCardDlg dlg;
    dlg.m_bMaskField4 = false;
    Run(dlg, [](CDialog& d) {
        EXPECT_EQ(qobject_cast<QLineEdit*>(d.GetDlgItem(IDC_FIELD4))->echoMode(), QLineEdit::Normal);
        return fw::IDCANCEL;
    });
}

// Every editor refuses what would go beyond the bytes its card file field holds, counted in UTF-8.
struct LimitCase {
    const char* name;
    std::function<std::unique_ptr<CDialog>()> make;
    int nControl;
    size_t nLimit;
};

class EditorLimitTest : public CardDialogTest, public ::testing::WithParamInterface<LimitCase> {};

std::string TextOf(QWidget* pControl) {
    if (auto* pEdit = qobject_cast<QLineEdit*>(pControl)) {
        return pEdit->text().toStdString();
    }
    return qobject_cast<QPlainTextEdit*>(pControl)->toPlainText().toStdString();
}

void Paste(QWidget* pControl, const std::string& text) {
    if (auto* pEdit = qobject_cast<QLineEdit*>(pControl)) {
        pEdit->selectAll();
        pEdit->insert(Q(text));
    } else {
        auto* pNote = qobject_cast<QPlainTextEdit*>(pControl);
        pNote->selectAll();
        pNote->insertPlainText(Q(text));
    }
}

TEST_P(EditorLimitTest, FitsTheStoredField) {
    const LimitCase& c = GetParam();
    std::unique_ptr<CDialog> pDlg = c.make();
    Run(*pDlg, [&](CDialog& d) {
        QWidget* pControl = d.GetDlgItem(c.nControl);
        const std::string full(c.nLimit, 'x');
        Paste(pControl, full);
        EXPECT_EQ(TextOf(pControl), full);
        // One two-byte character over the limit is refused as a whole.
        const std::string over = std::string(c.nLimit - 1, 'y') + "\xC3\xA9";
        Paste(pControl, over);
        EXPECT_EQ(TextOf(pControl), full);
        return fw::IDOK;
    });
}

INSTANTIATE_TEST_SUITE_P(
    Editors, EditorLimitTest,
    ::testing::Values(LimitCase{"CardField1", [] { return std::make_unique<CCardDlg>(); }, IDC_FIELD1, 255},
                      LimitCase{"CardField2", [] { return std::make_unique<CCardDlg>(); }, IDC_FIELD2, 255},
                      LimitCase{"CardField3", [] { return std::make_unique<CCardDlg>(); }, IDC_FIELD3, 255},
                      LimitCase{"CardField4", [] { return std::make_unique<CCardDlg>(); }, IDC_FIELD4, 255},
                      LimitCase{"CardNote", [] { return std::make_unique<CCardDlg>(); }, IDC_NOTE, 65535},
                      LimitCase{"EditUrl", [] { return std::make_unique<CEditUrlDlg>(); }, IDC_URL, 255},
                      LimitCase{"Note", [] { return std::make_unique<CNoteDlg>(); }, IDC_NOTE_TEXT, 65535}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
