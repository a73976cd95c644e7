// Command routing: the order of the route, the first handler taking a command, update rules deciding
// the state, and disabled commands never running however they are sent.
#include "tests/framework/fakeapp.h"

#include <QAction>
#include <QTimer>
#include <gtest/gtest.h>

namespace fwtest {
namespace {

// The places of the route, in the order a command visits them while a document window is active.
enum Target : unsigned { View = 1, Doc = 2, Child = 4, Main = 8, Application = 16 };

class RoutingTest : public FrameworkTest {
protected:
    void SetUp() override {
        FrameworkTest::SetUp();
        m_pDoc = NewDocument();
        ASSERT_NE(m_pDoc, nullptr);
        ASSERT_NE(ActiveView(), nullptr);
    }

    template <class Fn>
    void ForTargets(unsigned nTargets, Fn fn) {
        if (nTargets & View) fn(*ActiveView(), "view");
        if (nTargets & Doc) fn(*m_pDoc, "doc");
        if (nTargets & Child) fn(*ActiveChild(), "child");
        if (nTargets & Main) fn(*m_pFrame, "main");
        if (nTargets & Application) fn(*m_pApp, "app");
    }
    void HandleAt(unsigned nTargets, int nID = ID_TEST_CMD) {
        ForTargets(nTargets, [nID](auto& target, const char* pszName) {
            target.Handle(nID, [pszName] { EventLog().push_back(pszName); });
        });
    }

    CFakeDoc* m_pDoc = nullptr;
};

struct RouteCase {
    unsigned nHandlers;
    const char* pszExpected;  // null: nothing runs
};

class RouteOrderTest : public RoutingTest, public ::testing::WithParamInterface<RouteCase> {};

TEST_P(RouteOrderTest, FirstHandlerOnTheRouteTakesTheCommand) {
    HandleAt(GetParam().nHandlers);
    const bool bRan = m_pFrame->SendCommand(ID_TEST_CMD);
    if (GetParam().pszExpected == nullptr) {
        EXPECT_FALSE(bRan);
        EXPECT_FALSE(m_pFrame->IsCommandEnabled(ID_TEST_CMD));
        EXPECT_TRUE(EventLog().empty());
    } else {
        EXPECT_TRUE(bRan);
        EXPECT_EQ(EventLog(), std::vector<std::string>{GetParam().pszExpected});
    }
}

INSTANTIATE_TEST_SUITE_P(Route, RouteOrderTest,
                         ::testing::Values(RouteCase{View | Doc | Child | Main | Application, "view"},
                                           RouteCase{Doc | Child | Main | Application, "doc"},
                                           RouteCase{Child | Main | Application, "child"},
                                           RouteCase{Main | Application, "main"},
                                           RouteCase{Application, "app"}, RouteCase{View | Application, "view"},
                                           RouteCase{Doc | Main, "doc"}, RouteCase{0, nullptr}));

TEST_F(RoutingTest, WithoutDocumentWindowTheRouteIsFrameThenApplication) {
    HandleAt(Doc | Application);
    m_pDoc->OnCloseDocument();
    ASSERT_EQ(m_pFrame->MDIGetActive(), nullptr);
    EXPECT_TRUE(m_pFrame->SendCommand(ID_TEST_CMD));
    EXPECT_EQ(EventLog(), std::vector<std::string>{"app"});
}

TEST_F(RoutingTest, RangeHandlerGetsTheId) {
    std::vector<int> ids;
    m_pFrame->HandleRange(ID_TEST_RANGE_FIRST, ID_TEST_RANGE_LAST, [&](int nID) { ids.push_back(nID); });
    EXPECT_TRUE(m_pFrame->SendCommand(ID_TEST_RANGE_FIRST + 2));
    EXPECT_TRUE(m_pFrame->SendCommand(ID_TEST_RANGE_LAST));
    EXPECT_FALSE(m_pFrame->SendCommand(ID_TEST_RANGE_LAST + 1));
    EXPECT_EQ(ids, (std::vector<int>{ID_TEST_RANGE_FIRST + 2, ID_TEST_RANGE_LAST}));
}

// --- update rules ----------------------------------------------------------------------------------------

struct RuleCase {
    const char* pszName;
    unsigned nHandlers;
    unsigned nDisablingRules;  // rules that disable
    unsigned nEnablingRules;   // rules that enable and check
    bool bEnabled;
    bool bChecked;
};

class UpdateRuleTest : public RoutingTest, public ::testing::WithParamInterface<RuleCase> {};

TEST_P(UpdateRuleTest, FirstRuleOnTheRouteDecidesAndNoHandlerMeansDisabled) {
    const RuleCase& c = GetParam();
    HandleAt(c.nHandlers);
    ForTargets(c.nDisablingRules, [](auto& target, const char*) {
        target.Rule(ID_TEST_CMD, [](CCmdUI* pCmdUI) { pCmdUI->Enable(false); });
    });
    ForTargets(c.nEnablingRules, [](auto& target, const char*) {
        target.Rule(ID_TEST_CMD, [](CCmdUI* pCmdUI) {
            pCmdUI->Enable(true);
            pCmdUI->SetCheck(1);
        });
    });
    EXPECT_EQ(m_pFrame->IsCommandEnabled(ID_TEST_CMD), c.bEnabled);
    EXPECT_EQ(m_pFrame->IsCommandChecked(ID_TEST_CMD), c.bChecked);
    EXPECT_EQ(m_pFrame->SendCommand(ID_TEST_CMD), c.bEnabled);
    EXPECT_EQ(EventLog().size(), c.bEnabled ? 1u : 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, UpdateRuleTest,
    ::testing::Values(RuleCase{"HandlerWithoutRule", Application, 0, 0, true, false},
                      RuleCase{"RuleBeforeHandlerDisables", Application, Doc, 0, false, false},
                      RuleCase{"RuleAfterHandlerStillDecides", View, Main, 0, false, false},
                      RuleCase{"EnablingRuleWithoutHandler", 0, 0, Main, false, true},
                      RuleCase{"FirstRuleWins", Main, Main, View, true, true},
                      RuleCase{"FirstRuleWinsTheOtherWay", Main, Child, Application, false, false},
                      RuleCase{"CheckMark", Doc, 0, Doc, true, true}),
    [](const ::testing::TestParamInfo<RuleCase>& info) { return std::string(info.param.pszName); });

TEST_F(RoutingTest, RuleThatLeavesTheStateAloneKeepsTheCommandEnabled) {
    HandleAt(Main);
    bool bAsked = false;
    m_pDoc->Rule(ID_TEST_CMD, [&](CCmdUI* pCmdUI) {
        bAsked = pCmdUI->m_nID == ID_TEST_CMD;
    });
    EXPECT_TRUE(m_pFrame->IsCommandEnabled(ID_TEST_CMD));
    EXPECT_TRUE(bAsked);
}

// --- disabled commands never run --------------------------------------------------------------------------

TEST_F(RoutingTest, DisabledCommandRunsByNoWayIn) {
    HandleAt(Main);
    bool bEnabled = false;
    m_pFrame->Rule(ID_TEST_CMD, [&](CCmdUI* pCmdUI) { pCmdUI->Enable(bEnabled); });

    EXPECT_FALSE(m_pFrame->SendCommand(ID_TEST_CMD));
    // The document window's own SendCommand asks the same rules.
    EXPECT_FALSE(ActiveChild()->SendCommand(ID_TEST_CMD));
    // A menu item bound to the command, triggered as a click would.
    std::vector<QAction*> items = m_pFrame->FindMenuItems(ID_TEST_CMD);
    ASSERT_FALSE(items.empty());
    items.front()->trigger();
    // A posted command (what a timer does) is checked when it arrives.
    m_pFrame->PostCommand(ID_TEST_CMD);
    ProcessEvents();
    EXPECT_TRUE(EventLog().empty());

    bEnabled = true;
    m_pFrame->PostCommand(ID_TEST_CMD);
    ProcessEvents();
    EXPECT_EQ(EventLog(), std::vector<std::string>{"main"});
}

TEST_F(RoutingTest, DisabledAcceleratorAndToolbarButtonDoNothing) {
    // Cut has a rule on the frame that disables it and no handler: the key and the button do nothing.
    bool bCut = false;
    m_pFrame->Rule(ID_EDIT_CUT, [](CCmdUI* pCmdUI) { pCmdUI->Enable(false); });
    m_pFrame->Handle(ID_EDIT_CUT, [&] { bCut = true; });
    for (QAction* pAction : m_pFrame->GetAccelActions()) {
        if (pAction->property("fwCommand").toInt() == ID_EDIT_CUT) {
            pAction->trigger();
        }
    }
    const int nIndex = m_pFrame->m_wndToolBar.CommandToIndex(ID_EDIT_CUT);
    ASSERT_GE(nIndex, 0);
    m_pFrame->m_wndToolBar.GetItemAction(nIndex)->trigger();
    EXPECT_FALSE(bCut);
}

TEST_F(RoutingTest, HandlerMayCloseTheDocumentThatHoldsIt) {
    // File Close is the document's own handler and deletes the document while it runs.
    m_pDoc->SetModifiedFlag(false);
    EXPECT_TRUE(m_pFrame->SendCommand(ID_FILE_CLOSE));
    EXPECT_EQ(m_pFrame->MDIGetActive(), nullptr);
    EXPECT_EQ(m_pApp->GetOpenDocumentCount(), 0);
}

TEST_F(RoutingTest, IdleRefreshSetsToolbarStatesFromTheRules) {
    bool bEnabled = false;
    m_pDoc->Rule(ID_FILE_SAVE, [&](CCmdUI* pCmdUI) { pCmdUI->Enable(bEnabled); });
    QAction* pSave = m_pFrame->m_wndToolBar.GetItemAction(m_pFrame->m_wndToolBar.CommandToIndex(ID_FILE_SAVE));
    QAction* pFind = m_pFrame->m_wndToolBar.GetItemAction(m_pFrame->m_wndToolBar.CommandToIndex(ID_FIND_CARD));
    m_pFrame->OnIdleUpdateCmdUI();
    EXPECT_FALSE(pSave->isEnabled());
    EXPECT_FALSE(pFind->isEnabled()) << "no handler anywhere";
    bEnabled = true;
    // Input (or a command) arms the refresh; it runs once the event loop is idle.
    m_pFrame->RequestIdleUpdate();
    ProcessEvents();
    EXPECT_TRUE(pSave->isEnabled());
}

}  // namespace
}  // namespace fwtest
