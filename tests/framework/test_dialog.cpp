// Dialogs from templates: controls, dialog units, data exchange with byte-exact texts, byte limits, the
// scripted and the real runner, modeless use, and the dialog bar.
#include "framework/dialog.h"
#include "framework/dialogbar.h"
#include "framework/modalrunner.h"
#include "framework/resources.h"
#include "framework/restypes.h"
#include "framework/textcodec.h"
#include "tests/framework/fw_test_app.h"

#include <QCheckBox>
#include <QDialog>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <fstream>
#include <gtest/gtest.h>

namespace {

using fw::CtlKind;

constexpr int IDD_TEST = 9001;
constexpr int IDD_BAR = 9002;
constexpr int IDD_MISSING = 9099;
constexpr int IDI_TEST = 9100;
enum : int {
    IDC_NAME = 1001,
    IDC_NOTE = 1002,
    IDC_SECRET = 1003,
    IDC_FLAG = 1004,
    IDC_REVEAL = 1005,
    IDC_LABEL = 1006,
    IDC_COUNT = 1007,
};

const fw::ResourceSet& Resources() {
    static const fw::ResourceSet set = [] {
        const std::string svg = fwtest::ConfigHome() + "/test-icon.svg";
        std::ofstream(svg) << "<svg xmlns='http://www.w3.org/2000/svg' width='16' height='16'>"
                              "<rect width='16' height='16' fill='red'/></svg>";
        fw::ResourceSet r;
        fw::DialogTemplate t{IDD_TEST, "Test Dialog", 200, 130, "MS Sans Serif", 8, false, {}};
        t.controls = {
            {CtlKind::GroupBox, fw::IDC_STATIC, "Card Info", 5, 5, 190, 90},
            {CtlKind::Static, fw::IDC_STATIC, "&Name:", 10, 16, 38, 8},
            {CtlKind::Edit, IDC_NAME, "", 50, 14, 100, 14, fw::ES_AUTOHSCROLL},
            {CtlKind::Edit, IDC_NOTE, "", 50, 32, 100, 40,
             fw::ES_MULTILINE | fw::ES_AUTOVSCROLL | fw::WS_VSCROLL},
            {CtlKind::Edit, IDC_SECRET, "", 50, 76, 100, 14, fw::ES_PASSWORD | fw::ES_AUTOHSCROLL},
            {CtlKind::IconButton, IDC_REVEAL, "", 155, 76, 16, 14, fw::CS_NONE, IDI_TEST},
            {CtlKind::CheckBox, IDC_FLAG, "&Encrypt On Save", 10, 100, 70, 10},
            {CtlKind::Static, IDC_LABEL, "Static", 10, 114, 70, 8},
            {CtlKind::DefButton, fw::IDOK, "OK", 90, 110, 50, 14},
            {CtlKind::Button, fw::IDCANCEL, "Cancel", 145, 110, 50, 14},
        };
        r.dialogs.push_back(t);
        fw::DialogTemplate bar{IDD_BAR, "", 300, 16, "MS Sans Serif", 8, true, {}};
        bar.controls = {
            {CtlKind::Static, IDC_COUNT, "0", 5, 4, 30, 8},
            {CtlKind::Icon, IDC_REVEAL, "", 40, 2, 10, 10, fw::CS_NONE, IDI_TEST},
        };
        r.dialogs.push_back(bar);
        r.icons.push_back({IDI_TEST, svg});
        r.strings.push_back({IDC_COUNT, "Cards in the category\nCard Count"});
        return r;
    }();
    return set;
}

// A dialog with one member of each kind, filled through data exchange.
class CTestDlg : public CDialog {
public:
    CTestDlg() : CDialog(IDD_TEST) {}
    std::string m_strName;
    std::string m_strNote;
    std::string m_strSecret;
    std::string m_strLabel = "Label";
    int32_t m_bFlag = 0;
    int m_nOkCalls = 0;
    int m_nCancelCalls = 0;
    bool m_bRefuseOk = false;

    void DoDataExchange(CDataExchange* pDX) override {
        DDX_Text(pDX, IDC_NAME, m_strName);
        DDX_Text(pDX, IDC_NOTE, m_strNote);
        DDX_Text(pDX, IDC_SECRET, m_strSecret);
        DDX_Check(pDX, IDC_FLAG, m_bFlag);
        DDX_Text(pDX, IDC_LABEL, m_strLabel);
    }
    void OnOK() override {
        ++m_nOkCalls;
        if (!m_bRefuseOk) {
            CDialog::OnOK();
        }
    }
    void OnCancel() override {
        ++m_nCancelCalls;
        CDialog::OnCancel();
    }
    QLineEdit* Edit(int id) const { return qobject_cast<QLineEdit*>(GetDlgItem(id)); }
    QPlainTextEdit* Note() const { return qobject_cast<QPlainTextEdit*>(GetDlgItem(IDC_NOTE)); }
};

class DialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        fwtest::App();
        fw::SetResourceSet(&Resources());
    }
    void TearDown() override { fw::SetResourceSet(nullptr); }

    fw::CScriptedRunner m_runner;
    fw::CScopedRunner m_scope{m_runner};
};

TEST_F(DialogTest, ControlsAreMadeWithTheirIdsKindsAndTexts) {
    CTestDlg dlg;
    ASSERT_TRUE(dlg.Create());
    EXPECT_EQ(dlg.GetWindowText(), "Test Dialog");
    ASSERT_NE(dlg.Edit(IDC_NAME), nullptr);
    ASSERT_NE(dlg.Note(), nullptr);
    ASSERT_NE(dlg.Edit(IDC_SECRET), nullptr);
    EXPECT_EQ(dlg.Edit(IDC_SECRET)->echoMode(), QLineEdit::Password);
    EXPECT_EQ(dlg.Edit(IDC_NAME)->echoMode(), QLineEdit::Normal);
    auto* flag = qobject_cast<QCheckBox*>(dlg.GetDlgItem(IDC_FLAG));
    ASSERT_NE(flag, nullptr);
    EXPECT_EQ(flag->text(), QStringLiteral("&Encrypt On Save"));
    auto* ok = qobject_cast<QPushButton*>(dlg.GetDlgItem(fw::IDOK));
    auto* cancel = qobject_cast<QPushButton*>(dlg.GetDlgItem(fw::IDCANCEL));
    ASSERT_TRUE(ok && cancel);
    EXPECT_TRUE(ok->isDefault());
    EXPECT_FALSE(cancel->isDefault());
    EXPECT_EQ(cancel->text(), QStringLiteral("Cancel"));
    auto* reveal = qobject_cast<QPushButton*>(dlg.GetDlgItem(IDC_REVEAL));
    ASSERT_NE(reveal, nullptr);
    EXPECT_FALSE(reveal->icon().isNull());
    EXPECT_EQ(dlg.GetDlgItem(4242), nullptr);

    // The label keeps its text; its mnemonic leads to the edit after it.
    QWidget* window = dlg.GetWindow();
    const auto labels = window->findChildren<QLabel*>();
    const auto name =
        std::find_if(labels.begin(), labels.end(), [](QLabel* l) { return l->text() == "&Name:"; });
    ASSERT_NE(name, labels.end());
    EXPECT_EQ((*name)->buddy(), dlg.Edit(IDC_NAME));

    // The group box is behind the controls it frames, not their parent.
    const auto groups = window->findChildren<QGroupBox*>();
    ASSERT_EQ(groups.size(), 1);
    EXPECT_EQ(dlg.Edit(IDC_NAME)->parentWidget(), window);
    const QPoint inBoth = dlg.Edit(IDC_NAME)->geometry().center();
    EXPECT_EQ(window->childAt(inBoth), dlg.Edit(IDC_NAME));
}

TEST(DialogUnitsTest, ConvertsWithTheBaseUnits) {
    const CDialogUnits units(6, 13);
    EXPECT_EQ(units.ToPixels(98, 35, 158, 14), QRect(147, 57, 237, 23)); // 35 * 13 / 8 = 56.9
    EXPECT_EQ(units.ToPixelsX(1), 2);                                    // 1.5 rounds up
    EXPECT_EQ(units.ToPixelsY(4), 7);                                    // 6.5 rounds up
    EXPECT_EQ(units.ToPixelsY(100), 163);
    EXPECT_EQ(CDialogUnits(7, 16).ToPixels(4, 8, 4, 8), QRect(7, 16, 7, 16));
}

TEST_F(DialogTest, DialogFontGivesTheClassicMetricsAndLayout) {
    const QFont font = CDialogUnits::DialogFont("MS Sans Serif", 8);
    const CDialogUnits units = CDialogUnits::FromFont(font);
    EXPECT_NEAR(units.BaseY(), 13, 1);
    EXPECT_GE(units.BaseX(), 5);
    EXPECT_LE(units.BaseX(), 8);

    CTestDlg dlg;
    ASSERT_TRUE(dlg.Create());
    const CDialogUnits& used = dlg.GetDialogUnits();
    EXPECT_EQ(used.BaseX(), units.BaseX());
    EXPECT_EQ(dlg.GetWindowSize(), QSize(used.ToPixelsX(200), used.ToPixelsY(130)));
    EXPECT_EQ(dlg.GetDlgItem(IDC_NAME)->geometry(), used.ToPixels(50, 14, 100, 14));
    EXPECT_EQ(dlg.GetDlgItem(fw::IDOK)->geometry(), used.ToPixels(90, 110, 50, 14));
}

TEST_F(DialogTest, MembersGoIntoControlsAndBackOnOk) {
    CTestDlg dlg;
    dlg.m_strName = "Bank";
    dlg.m_strNote = "line one\r\nline two";
    dlg.m_strSecret = "s3cret";
    dlg.m_bFlag = 1;
    m_runner.m_dialogHandlers.push_back([](CDialog& d) {
        auto& t = static_cast<CTestDlg&>(d);
        EXPECT_EQ(t.Edit(IDC_NAME)->text(), QStringLiteral("Bank"));
        EXPECT_EQ(t.Note()->toPlainText(), QStringLiteral("line one\nline two"));
        EXPECT_EQ(t.Edit(IDC_SECRET)->text(), QStringLiteral("s3cret"));
        EXPECT_TRUE(qobject_cast<QCheckBox*>(t.GetDlgItem(IDC_FLAG))->isChecked());
        EXPECT_EQ(qobject_cast<QLabel*>(t.GetDlgItem(IDC_LABEL))->text(), QStringLiteral("Label"));
        t.Edit(IDC_NAME)->setText(QStringLiteral("Savings"));
        t.Note()->setPlainText(QStringLiteral("one\ntwo\nthree"));
        qobject_cast<QCheckBox*>(t.GetDlgItem(IDC_FLAG))->setChecked(false);
        return fw::IDOK;
    });
    EXPECT_EQ(dlg.DoModal(), fw::IDOK);
    EXPECT_EQ(dlg.m_nOkCalls, 1);
    EXPECT_EQ(dlg.m_strName, "Savings");
    EXPECT_EQ(dlg.m_strNote, "one\r\ntwo\r\nthree"); // typed line breaks are stored as CR LF
    EXPECT_EQ(dlg.m_strSecret, "s3cret");
    EXPECT_EQ(dlg.m_bFlag, 0);
    EXPECT_EQ(dlg.m_strLabel, "Label");
    EXPECT_EQ(dlg.GetWindow(), nullptr); // the window is gone after DoModal
    EXPECT_EQ(m_runner.m_dialogCaptions, std::vector<std::string>{"Test Dialog"});
}

TEST_F(DialogTest, CheckBoxStatesExchangeBothWays) {
    for (const int32_t value : {0, 1, 2}) {
        CTestDlg dlg;
        dlg.m_bFlag = value;
        m_runner.m_dialogHandlers.push_back([value](CDialog& d) {
            const auto state = qobject_cast<QCheckBox*>(d.GetDlgItem(IDC_FLAG))->checkState();
            EXPECT_EQ(state, value == 0 ? Qt::Unchecked : value == 1 ? Qt::Checked : Qt::PartiallyChecked);
            return fw::IDOK;
        });
        EXPECT_EQ(dlg.DoModal(), fw::IDOK);
        EXPECT_EQ(dlg.m_bFlag, value);
    }
}

// Texts the user leaves alone keep their exact bytes; texts the user types are stored as UTF-8.
struct BytesCase {
    const char* name;
    std::string original;
    std::u16string typed; // empty: left alone
    std::string expected;
};

class DialogBytesTest : public DialogTest, public ::testing::WithParamInterface<BytesCase> {};

TEST_P(DialogBytesTest, SingleAndMultiLineEdits) {
    const BytesCase& c = GetParam();
    CTestDlg dlg;
    dlg.m_strName = c.original;
    dlg.m_strNote = c.original;
    m_runner.m_dialogHandlers.push_back([&c](CDialog& d) {
        auto& t = static_cast<CTestDlg&>(d);
        if (!c.typed.empty()) {
            t.Edit(IDC_NAME)->setText(QString::fromStdU16String(c.typed));
            t.Note()->setPlainText(QString::fromStdU16String(c.typed));
        }
        return fw::IDOK;
    });
    ASSERT_EQ(dlg.DoModal(), fw::IDOK);
    EXPECT_EQ(dlg.m_strName, c.expected);
    EXPECT_EQ(dlg.m_strNote, c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DialogBytesTest,
    ::testing::Values(BytesCase{"Cp1252Kept", "M\xFCller \x80 \x93q\x94", u"", "M\xFCller \x80 \x93q\x94"},
                      BytesCase{"UndefinedByteKept",
                                "a\x81"
                                "b",
                                u"",
                                "a\x81"
                                "b"},
                      BytesCase{"NoBreakSpaceKept",
                                "a\xA0"
                                "b",
                                u"",
                                "a\xA0"
                                "b"},
                      BytesCase{"Utf8Kept", "caf\xC3\xA9", u"", "caf\xC3\xA9"},
                      BytesCase{"TypedIsUtf8", "M\xFCller", u"M\u00FCller!", "M\xC3\xBCller!"},
                      BytesCase{"TypedNoBreakSpaceIsUtf8", "", u"a\u00A0b",
                                "a\xC2\xA0"
                                "b"},
                      // Typing the same text the control showed is no change.
                      BytesCase{"RetypedSameTextKept", "caf\xE9", u"caf\u00E9", "caf\xE9"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DialogTest, MultiLineKeepsItsLineBreaksWhenUnchanged) {
    CTestDlg dlg;
    dlg.m_strNote = "lone\nfeed and\r\ncr lf\r\n\r\n";
    m_runner.m_dialogHandlers.push_back([](CDialog&) { return fw::IDOK; });
    ASSERT_EQ(dlg.DoModal(), fw::IDOK);
    EXPECT_EQ(dlg.m_strNote, "lone\nfeed and\r\ncr lf\r\n\r\n");
}

TEST_F(DialogTest, CancelLeavesMembersAsTheyWere) {
    CTestDlg dlg;
    dlg.m_strName = "before";
    m_runner.m_dialogHandlers.push_back([](CDialog& d) {
        static_cast<CTestDlg&>(d).Edit(IDC_NAME)->setText(QStringLiteral("after"));
        return fw::IDCANCEL;
    });
    EXPECT_EQ(dlg.DoModal(), fw::IDCANCEL);
    EXPECT_EQ(dlg.m_nCancelCalls, 1);
    EXPECT_EQ(dlg.m_strName, "before");
    // With no handler queued, the dialog is cancelled.
    CTestDlg other;
    EXPECT_EQ(other.DoModal(), fw::IDCANCEL);
    EXPECT_EQ(other.m_nCancelCalls, 1);
}

TEST_F(DialogTest, ButtonHandlersAndEndDialogFromAHandler) {
    CTestDlg dlg;
    int reveals = 0;
    dlg.OnButtonClicked(IDC_REVEAL, [&] { ++reveals; });
    dlg.OnButtonClicked(IDC_FLAG, [&] { dlg.EndDialog(42); });
    m_runner.m_dialogHandlers.push_back([](CDialog& d) {
        d.ClickButton(IDC_REVEAL);
        d.ClickButton(IDC_REVEAL);
        d.ClickButton(IDC_FLAG);
        return fw::IDOK; // the dialog has already ended: OnOK is not called as well
    });
    EXPECT_EQ(dlg.DoModal(), 42);
    EXPECT_EQ(reveals, 2);
    EXPECT_EQ(dlg.m_nOkCalls, 0);
}

TEST_F(DialogTest, DialogThatRefusesOkGetsTheNextTry) {
    CTestDlg dlg;
    dlg.m_bRefuseOk = true;
    m_runner.m_dialogHandlers.push_back([](CDialog&) { return fw::IDOK; });
    m_runner.m_dialogHandlers.push_back([](CDialog& d) {
        static_cast<CTestDlg&>(d).m_bRefuseOk = false;
        return fw::IDOK;
    });
    EXPECT_EQ(dlg.DoModal(), fw::IDOK);
    EXPECT_EQ(dlg.m_nOkCalls, 2);
}

TEST_F(DialogTest, MissingTemplateFailsToRun) {
    CDialog dlg(IDD_MISSING);
    EXPECT_EQ(dlg.DoModal(), -1);
    EXPECT_FALSE(dlg.Create());
    EXPECT_TRUE(m_runner.m_dialogCaptions.empty());
}

TEST_F(DialogTest, ControlStateHelpers) {
    CTestDlg dlg;
    ASSERT_TRUE(dlg.Create());
    dlg.EnableControl(IDC_FLAG, false);
    dlg.ShowControl(IDC_REVEAL, false);
    dlg.SetReadOnly(IDC_NAME, true);
    dlg.SetPasswordChar(IDC_SECRET, false);
    EXPECT_FALSE(dlg.IsControlEnabled(IDC_FLAG));
    EXPECT_FALSE(dlg.IsControlVisible(IDC_REVEAL));
    EXPECT_TRUE(dlg.IsControlVisible(IDC_NAME));
    EXPECT_TRUE(dlg.Edit(IDC_NAME)->isReadOnly());
    EXPECT_EQ(dlg.Edit(IDC_SECRET)->echoMode(), QLineEdit::Normal);
    dlg.SetWindowText("Edit Card");
    EXPECT_EQ(dlg.GetWindow()->windowTitle(), QStringLiteral("Edit Card"));
    dlg.SetWindowText("Caf\xE9");
    EXPECT_EQ(dlg.GetWindowText(), "Caf\xE9");
    dlg.SetDlgItemText(fw::IDOK, "Add Card");
    EXPECT_EQ(dlg.GetDlgItemText(fw::IDOK), "Add Card");
}

TEST_F(DialogTest, WindowSizeChangesKeepThePosition) {
    CTestDlg dlg;
    ASSERT_TRUE(dlg.Create());
    dlg.GetWindow()->move(40, 50);
    const QSize full = dlg.GetWindowSize();
    const QPoint pos = dlg.GetWindow()->pos();
    dlg.SetWindowSize(full.width(), full.height() - 100);
    EXPECT_EQ(dlg.GetWindowSize(), QSize(full.width(), full.height() - 100));
    EXPECT_EQ(dlg.GetWindow()->pos(), pos);
    dlg.SetWindowSize(full.width(), full.height());
    EXPECT_EQ(dlg.GetWindowSize(), full);
}

TEST_F(DialogTest, ModelessCreateShowsAndDestroyRemoves) {
    CTestDlg dlg;
    dlg.m_strName = "shown";
    ASSERT_TRUE(dlg.Create());
    QPointer<QWidget> window = dlg.GetWindow();
    ASSERT_TRUE(window);
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(static_cast<QDialog*>(window.data())->isModal());
    EXPECT_EQ(dlg.Edit(IDC_NAME)->text(), QStringLiteral("shown")); // OnInitDialog ran
    EXPECT_TRUE(m_runner.m_dialogCaptions.empty());                 // no modal run
    dlg.DestroyWindow();
    EXPECT_FALSE(window && window->isVisible());
    fwtest::ProcessEvents();
    EXPECT_FALSE(window);
    EXPECT_EQ(dlg.GetWindow(), nullptr);
    EXPECT_EQ(dlg.GetDlgItem(IDC_NAME), nullptr);
    EXPECT_FALSE(dlg.UpdateData(true));
}

TEST_F(DialogTest, EscapeCloseBoxAndEnterGoThroughTheHandlers) {
    {
        CTestDlg dlg;
        ASSERT_TRUE(dlg.Create());
        QTest::keyClick(dlg.GetWindow(), Qt::Key_Escape);
        EXPECT_EQ(dlg.m_nCancelCalls, 1);
        EXPECT_FALSE(dlg.GetWindow()->isVisible());
    }
    {
        CTestDlg dlg;
        ASSERT_TRUE(dlg.Create());
        dlg.GetWindow()->close();
        EXPECT_EQ(dlg.m_nCancelCalls, 1);
    }
    {
        CTestDlg dlg;
        ASSERT_TRUE(dlg.Create());
        dlg.Edit(IDC_NAME)->setFocus();
        QTest::keyClicks(dlg.Edit(IDC_NAME), "typed");
        QTest::keyClick(dlg.Edit(IDC_NAME), Qt::Key_Return);
        EXPECT_EQ(dlg.m_nOkCalls, 1);
        EXPECT_EQ(dlg.GetResult(), fw::IDOK);
        EXPECT_EQ(dlg.m_strName, "typed");
    }
}

// The Find dialog's way: a modeless dialog that destroys its window when cancelled, from the window's
// own key handler.
TEST_F(DialogTest, ModelessDialogMayDestroyItselfFromItsOwnHandler) {
    class CSelfDestroying : public CTestDlg {
    public:
        void OnCancel() override { DestroyWindow(); }
    };
    CSelfDestroying dlg;
    ASSERT_TRUE(dlg.Create());
    QPointer<QWidget> window = dlg.GetWindow();
    QTest::keyClick(window.data(), Qt::Key_Escape);
    EXPECT_EQ(dlg.GetWindow(), nullptr);
    fwtest::ProcessEvents();
    EXPECT_FALSE(window);
}

// SetLimitText counts the bytes the card file will hold, never cutting a character.
struct LimitCase {
    const char* name;
    bool multiLine;
    size_t limit;
    std::string initial;
    const char* typed; // UTF-8, "\n" presses Return
    int backspaces;
    std::u16string expectedText;
};

class DialogLimitTest : public DialogTest, public ::testing::WithParamInterface<LimitCase> {};

TEST_P(DialogLimitTest, TypingStopsAtTheByteLimit) {
    const LimitCase& c = GetParam();
    CTestDlg dlg;
    (c.multiLine ? dlg.m_strNote : dlg.m_strName) = c.initial;
    ASSERT_TRUE(dlg.Create());
    const int id = c.multiLine ? IDC_NOTE : IDC_NAME;
    dlg.SetLimitText(id, c.limit);
    QWidget* edit = dlg.GetDlgItem(id);
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_End, c.multiLine ? Qt::ControlModifier : Qt::NoModifier);
    for (int i = 0; i < c.backspaces; ++i) {
        QTest::keyClick(edit, Qt::Key_Backspace);
    }
    for (const QChar ch : QString::fromUtf8(c.typed)) {
        if (ch == QLatin1Char('\n')) {
            QTest::keyClick(edit, Qt::Key_Return);
        } else {
            // QTest's own typing knows only ASCII keys; a key event carries any text.
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(ch));
            QApplication::sendEvent(edit, &press);
        }
    }
    const QString text = c.multiLine ? dlg.Note()->toPlainText() : dlg.Edit(IDC_NAME)->text();
    EXPECT_EQ(text.toStdU16String(), c.expectedText);
    ASSERT_TRUE(dlg.UpdateData(true));
    EXPECT_LE((c.multiLine ? dlg.m_strNote : dlg.m_strName).size(), c.limit);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DialogLimitTest,
    ::testing::Values(LimitCase{"AsciiStops", false, 5, "", "abcdefg", 0, u"abcde"},
                      // "é" takes two bytes: it fits at 5, not at 4, and is never half kept.
                      LimitCase{"TwoByteFits", false, 5, "", "abc\xC3\xA9x", 0, u"abc\u00E9"},
                      LimitCase{"TwoByteRefused", false, 4, "", "abc\xC3\xA9x", 0, u"abcx"},
                      LimitCase{"EuroRefused", false, 4, "", "ab\xE2\x82\xAC", 0, u"ab"},
                      // Four Windows-1252 bytes show as eight bytes of UTF-8: an edit cuts them to fit.
                      LimitCase{"WiderOriginalIsCutOnEdit", false, 4, "\xE9\xE9\xE9\xE9", "", 1,
                                u"\u00E9\u00E9"},
                      // In a note a line break is stored as two bytes.
                      LimitCase{"LineBreakCountsTwo", true, 6, "", "ab\ncdef", 0, u"ab\ncd"},
                      LimitCase{"NoteTwoByte", true, 3, "", "a\xC3\xA9\xC3\xA9", 0, u"a\u00E9"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DialogTest, LimitLeavesTextsPutInByTheProgramWhole) {
    CTestDlg dlg;
    dlg.m_strName = "\xE9\xE9\xE9\xE9"; // eight bytes once shown as UTF-8
    ASSERT_TRUE(dlg.Create());
    dlg.SetLimitText(IDC_NAME, 4);
    dlg.UpdateData(false);
    EXPECT_EQ(dlg.Edit(IDC_NAME)->text().toStdU16String(), u"\u00E9\u00E9\u00E9\u00E9");
    ASSERT_TRUE(dlg.UpdateData(true));
    EXPECT_EQ(dlg.m_strName, "\xE9\xE9\xE9\xE9");
}

TEST_F(DialogTest, PopupMenuGoesThroughTheRunnerOwnedByTheDialog) {
    CTestDlg dlg;
    ASSERT_TRUE(dlg.Create());
    m_runner.m_popupAnswers.push_back(0);
    EXPECT_EQ(dlg.TrackPopupMenu({{"s3cret", 0, true}}, 120, 80), 0);
    ASSERT_EQ(m_runner.m_popups.size(), 1u);
    const fw::PopupMenuRequest& req = m_runner.m_popups[0];
    EXPECT_EQ(req.owner, dlg.GetWindow());
    EXPECT_EQ(req.x, 120);
    EXPECT_EQ(req.y, 80);
    ASSERT_EQ(req.items.size(), 1u);
    EXPECT_EQ(req.items[0].text, "s3cret");
    EXPECT_TRUE(req.items[0].disabled);
    const QRect r = dlg.GetControlScreenRect(IDC_REVEAL);
    EXPECT_EQ(r.size(), dlg.GetDlgItem(IDC_REVEAL)->size());
    EXPECT_EQ(r.topLeft(), dlg.GetDlgItem(IDC_REVEAL)->mapToGlobal(QPoint(0, 0)));
}

TEST_F(DialogTest, IconsLoadFromTheirPicturesAndUnknownIdsAreNull) {
    EXPECT_FALSE(fw::LoadIcon(IDI_TEST).isNull());
    const QPixmap pm = fw::LoadIconPixmap(IDI_TEST, QSize(20, 20));
    EXPECT_EQ(pm.size(), QSize(20, 20));
    EXPECT_EQ(pm.toImage().pixelColor(10, 10), QColor(Qt::red));
    EXPECT_TRUE(fw::LoadIcon(4711).isNull());
    EXPECT_TRUE(fw::LoadIconPixmap(4711, QSize(16, 16)).isNull());
    EXPECT_EQ(fw::LoadResString(IDC_COUNT), "Cards in the category\nCard Count");
    EXPECT_EQ(fw::LoadResString(4711), "");
}

TEST_F(DialogTest, DialogBarBuildsItsControlsWithTips) {
    QWidget frame;
    auto* bar = new CDialogBar(&frame);
    ASSERT_TRUE(bar->Create(&frame, IDD_BAR, 4321));
    EXPECT_EQ(bar->GetBarId(), 4321);
    auto* count = qobject_cast<QLabel*>(bar->GetDlgItem(IDC_COUNT));
    ASSERT_NE(count, nullptr);
    EXPECT_EQ(count->toolTip(), QStringLiteral("Card Count"));
    EXPECT_EQ(count->parentWidget(), bar);
    bar->SetDlgItemText(IDC_COUNT, "12");
    EXPECT_EQ(bar->GetDlgItemText(IDC_COUNT), "12");
    bar->SetDlgItemIcon(IDC_REVEAL, IDI_TEST);
    EXPECT_FALSE(qobject_cast<QLabel*>(bar->GetDlgItem(IDC_REVEAL))->pixmap().isNull());
    EXPECT_EQ(bar->sizeHint().height(), CDialogUnits::FromFont(bar->font()).ToPixelsY(16));
    EXPECT_FALSE(CDialogBar().Create(nullptr, IDD_MISSING, 1));
}

// The real runner, driven by a click from the event loop.
template <typename Click> void WhenModalAppears(Click click) {
    QTimer::singleShot(0, [click] {
        QWidget* modal = QApplication::activeModalWidget();
        ASSERT_NE(modal, nullptr);
        click(modal);
    });
}

struct BoxCase {
    unsigned type;
    QMessageBox::StandardButton press;
    int expected;
};

TEST(RealRunnerTest, MessageBoxReturnsTheButtonPressed) {
    fwtest::App();
    for (const BoxCase c :
         {BoxCase{fw::MB_OK, QMessageBox::Ok, fw::IDOK},
          BoxCase{fw::MB_OKCANCEL | fw::MB_ICONEXCLAMATION, QMessageBox::Cancel, fw::IDCANCEL},
          BoxCase{fw::MB_YESNOCANCEL, QMessageBox::No, fw::IDNO},
          BoxCase{fw::MB_YESNO | fw::MB_ICONQUESTION, QMessageBox::Yes, fw::IDYES}}) {
        QString title, text;
        WhenModalAppears([&](QWidget* w) {
            auto* box = qobject_cast<QMessageBox*>(w);
            ASSERT_NE(box, nullptr);
            title = box->windowTitle();
            text = box->text();
            box->button(c.press)->click();
        });
        EXPECT_EQ(fw::MessageBox("Are you sure?", "", c.type), c.expected);
        EXPECT_EQ(title, QStringLiteral("Error")); // no caption of its own
        EXPECT_EQ(text, QStringLiteral("Are you sure?"));
    }
}

TEST(RealRunnerTest, ModalDialogRunsUntilOk) {
    fwtest::App();
    fw::SetResourceSet(&Resources());
    CTestDlg dlg;
    dlg.m_strName = "old";
    WhenModalAppears([](QWidget* w) {
        w->findChild<QLineEdit*>(QStringLiteral("ctl%1").arg(IDC_NAME))->setText(QStringLiteral("new"));
        w->findChild<QPushButton*>(QStringLiteral("ctl%1").arg(fw::IDOK))->click();
    });
    EXPECT_EQ(dlg.DoModal(), fw::IDOK);
    EXPECT_EQ(dlg.m_strName, "new");
    fw::SetResourceSet(nullptr);
}

} // namespace
