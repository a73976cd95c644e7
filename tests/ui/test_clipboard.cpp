// Copy Password and Copy: what goes to the clipboard (read back from the fake and from Qt's clipboard),
// marked secret or not, and the messages of each failing step.
#include "framework/clipboard.h"
#include "tests/ui/cards_fixture.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace cardstest {
namespace {

class ClipboardTest : public CCardsFixture {
protected:
    void TearDown() override {
        fw::SetClipboard(nullptr);
        CCardsFixture::TearDown();
    }
    void UseFake() { fw::SetClipboard(&m_fake); }
    // A card with this secret, selected in the tree.
    void SelectSecret(const std::string& secret) {
        AddCards({{"Login Accounts", "host", secret}});
        SelectCard("Login Accounts", 0);
    }

    CFakeClipboard m_fake;
};

class CopyPasswordTest : public ClipboardTest, public ::testing::WithParamInterface<std::string> {};

TEST_P(CopyPasswordTest, CopiesFieldFourExactlyAsASecret) {
    const std::string& secret = GetParam();
    SelectSecret(secret);
    UseFake();
    ASSERT_TRUE(Send(ID_COPY_PASSWORD));
    EXPECT_EQ(m_fake.m_steps, (std::vector<std::string>{"open", "allocate " + std::to_string(secret.size() + 1),
                                                        "set", "close"}));
    EXPECT_TRUE(m_fake.m_bHasText);
    EXPECT_EQ(m_fake.m_strText, secret);
    EXPECT_TRUE(m_fake.m_bSecret);
    EXPECT_TRUE(m_runner.m_messages.empty());
    EXPECT_FALSE(m_pDoc->IsModified());
}

TEST_P(CopyPasswordTest, ReachesTheSystemClipboard) {
    const std::string& secret = GetParam();
    SelectSecret(secret);
    ASSERT_TRUE(Send(ID_COPY_PASSWORD));
    const QMimeData* pData = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(pData, nullptr);
    EXPECT_EQ(pData->text(), Q(secret));
    EXPECT_EQ(pData->data(QString::fromLatin1(fw::kPasswordHintMime)), QByteArray("secret"));
    EXPECT_TRUE(m_runner.m_messages.empty());
}

INSTANTIATE_TEST_SUITE_P(Secrets, CopyPasswordTest,
                         ::testing::Values(std::string(), std::string(255, 'k'), std::string("p\xC3\xA4ss w0rd")));

struct FailureCase {
    const char* name;
    bool bFailOpen, bFailAllocate, bFailSet;
    std::vector<std::string> messages;
    std::vector<std::string> steps;
};

class ClipboardFailureTest : public ClipboardTest, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(ClipboardFailureTest, SaysWhichStepFailed) {
    const FailureCase& c = GetParam();
    SelectSecret("hunter22");
    UseFake();
    m_fake.m_bFailOpen = c.bFailOpen;
    m_fake.m_bFailAllocate = c.bFailAllocate;
    m_fake.m_bFailSet = c.bFailSet;
    ASSERT_TRUE(Send(ID_COPY_PASSWORD));
    EXPECT_EQ(m_runner.MessageTexts(), c.messages);
    for (const fw::MessageBoxRequest& m : m_runner.m_messages) {
        EXPECT_EQ(m.caption, m_pApp->GetAppName());
        EXPECT_EQ(m.type, fw::MB_OK);
        EXPECT_EQ(m.owner, m_pMain);
    }
    EXPECT_EQ(m_fake.m_steps, c.steps);
    EXPECT_FALSE(m_fake.m_bHasText);
}

INSTANTIATE_TEST_SUITE_P(
    Steps, ClipboardFailureTest,
    ::testing::Values(
        // Held by another program: the data cannot be set on a clipboard that is not open either.
        FailureCase{"Open", true, false, false,
                    {"Cannot open the Clipboard.", "Unable to set Clipboard data."},
                    {"open", "allocate 9", "set"}},
        FailureCase{"Allocate", false, true, false, {"Global Alloc Failed."}, {"open", "allocate 9", "close"}},
        FailureCase{"OpenAndAllocate", true, true, false,
                    {"Cannot open the Clipboard.", "Global Alloc Failed."},
                    {"open", "allocate 9"}},
        FailureCase{"Set", false, false, true, {"Unable to set Clipboard data."},
                    {"open", "allocate 9", "set", "close"}}),
    [](const auto& info) { return std::string(info.param.name); });

// Copy Password takes the tree's card, Copy the list's copy text; each only from its own view.
TEST_F(ClipboardTest, EachCommandOnlyFromItsView) {
    SelectSecret("hunter22");
    UseFake();
    ASSERT_TRUE(Send(ID_EDIT_COPY));  // tree active: nothing
    EXPECT_TRUE(m_fake.m_steps.empty());

    ActivateList();
    ASSERT_TRUE(Send(ID_COPY_PASSWORD));  // list active: nothing
    EXPECT_TRUE(m_fake.m_steps.empty());

    ASSERT_TRUE(Send(ID_EDIT_COPY));
    EXPECT_EQ(m_fake.m_steps, (std::vector<std::string>{"open", "allocate 1", "set", "close"}));
    EXPECT_TRUE(m_fake.m_bHasText);
    EXPECT_EQ(m_fake.m_strText, "");
    EXPECT_FALSE(m_fake.m_bSecret);
    EXPECT_TRUE(m_runner.m_messages.empty());
}

TEST_F(ClipboardTest, DisabledWithoutASelectedCard) {
    AddCards({{"Login Accounts", "host", "hunter22"}});
    UseFake();
    EXPECT_FALSE(m_pMain->IsCommandEnabled(ID_COPY_PASSWORD));
    EXPECT_FALSE(Send(ID_COPY_PASSWORD));
    EXPECT_TRUE(m_fake.m_steps.empty());
}

}  // namespace
}  // namespace cardstest
