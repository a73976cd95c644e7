#pragma once
// The program as the card commands see it, for one test: the application object with its two document
// types, the main frame, one new document in its window (tree left, card list right), a scripted modal
// runner, fixed system services (today is "1/2/2003"), a private settings folder. Commands are sent the
// way the menu sends them, through the update rules.
#include "app/quorrelapp.h"
#include "app/settings.h"
#include "cardstore/card.h"
#include "cardstore/quorreldoc.h"
#include "framework/dialog.h"
#include "framework/listctrl.h"
#include "framework/mdichildwnd.h"
#include "framework/modalrunner.h"
#include "framework/multidoctemplate.h"
#include "framework/profile.h"
#include "framework/sysservices.h"
#include "res/resource.h"
#include "res/resources.h"
#include "tests/app/private_profile.h"
#include "tests/framework/fw_test_app.h"
#include "ui/childfrm.h"
#include "ui/mainfrm.h"
#include "ui/quorrellistview.h"
#include "ui/quorrelview.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace cardstest {

inline QString Q(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

// Types into an edit of a dialog as the user would (the old text replaced).
inline void TypeInto(CDialog& dlg, int nID, const std::string& text) {
    QWidget* pControl = dlg.GetDlgItem(nID);
    if (auto* pEdit = qobject_cast<QLineEdit*>(pControl)) {
        pEdit->selectAll();
        pEdit->insert(Q(text));
    } else if (auto* pNote = qobject_cast<QPlainTextEdit*>(pControl)) {
        pNote->selectAll();
        pNote->insertPlainText(Q(text));
    } else {
        ADD_FAILURE() << "no edit " << nID;
    }
}

struct CardSpec {
    std::string category;
    std::string field1 = {};
    std::string field4 = {};
    std::string note = {};
};

class CCardsFixture : public ::testing::Test {
protected:
    void SetUp() override {
        fwtest::App();
        m_strDir = testenv::MakePrivateProfile("quorrel-cardstest");
        ASSERT_FALSE(m_strDir.empty());
        fw::SetSystemServices(&m_services);
        m_pScope = std::make_unique<fw::CScopedRunner>(m_runner);

        m_pApp = std::make_unique<CQuorrelApp>();
        m_pApp->SetRegistryKey(settings::kRegistryKey);
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

        m_pDoc = dynamic_cast<CQuorrelDoc*>(m_pApp->m_pPlainTemplate->OpenDocumentFile(""));
        fwtest::ProcessEvents();
        ASSERT_NE(m_pDoc, nullptr);
        ASSERT_NE(Tree(), nullptr);
        ASSERT_NE(List(), nullptr);
    }

    void TearDown() override {
        if (m_pApp) {
            for (CDocument* pDoc : m_pApp->m_pPlainTemplate->GetDocuments()) {
                pDoc->SetModifiedFlag(false);
            }
            m_pApp->CloseAllDocuments(true);
            fwtest::ProcessEvents();
            m_pApp.reset();
        }
        fwtest::ProcessEvents();
        m_pScope.reset();
        fw::SetSystemServices(nullptr);
        std::error_code ec;
        std::filesystem::remove_all(m_strDir, ec);
    }

    CQuorrelView* Tree() const { return dynamic_cast<CQuorrelView*>(m_pDoc->GetFirstView()); }
    CQuorrelListView* List() const {
        const auto& views = m_pDoc->GetViews();
        return views.size() > 1 ? dynamic_cast<CQuorrelListView*>(views[1]) : nullptr;
    }
    CMDIChildWnd* Child() const { return m_pMain->MDIGetActive(); }
    CListCtrl& Rows() const { return List()->GetListCtrl(); }

    // Puts cards into the document as a file would and lets the tree refill; the document stays
    // unmodified. Returns the cards in the order given.
    std::vector<CCard*> AddCards(const std::vector<CardSpec>& specs) {
        std::vector<CCard*> cards;
        for (const CardSpec& spec : specs) {
            auto pCard = std::make_unique<CCard>();
            pCard->SetCategory(spec.category);
            pCard->SetField1(spec.field1);
            pCard->SetField4(spec.field4);
            pCard->SetNote(spec.note);
            pCard->SetDate("3/4/2001");
            cards.push_back(pCard.get());
            m_pDoc->FindCategoryArray(spec.category)->AddCard(std::move(pCard));
        }
        m_pDoc->UpdateAllViews(nullptr);
        m_pDoc->SetModifiedFlag(false);
        return cards;
    }

    HTREEITEM CategoryNode(const std::string& category) const { return Tree()->GetCategoryItem(category); }

    // Selects the card of the category's array at nIndex in the tree, as a click on its node does.
    void SelectCard(const std::string& category, int nIndex) {
        Tree()->SelectCardByIndex(CategoryNode(category), nIndex);
        fwtest::ProcessEvents();
    }

    // The selected node: its text and item data, and whether it is a card node.
    HTREEITEM Selected() const { return Tree()->GetTreeCtrl().GetSelectedItem(); }
    std::string SelectedText() const { return Selected() ? Tree()->GetTreeCtrl().GetItemText(Selected()) : ""; }
    bool SelectedIsCard() const { return Selected() && Tree()->GetTreeCtrl().GetParentItem(Selected()); }

    void ActivateList() { Child()->SetActiveView(List()); }
    void ActivateTree() { Child()->SetActiveView(Tree()); }

    bool Send(int nID) {
        const bool bRan = m_pMain->SendCommand(nID);
        fwtest::ProcessEvents();
        return bRan;
    }

    // The rows of the list: (column 0, column 1).
    std::vector<std::pair<std::string, std::string>> ListRows() const {
        std::vector<std::pair<std::string, std::string>> rows;
        for (int r = 0; r < Rows().GetItemCount(); ++r) {
            rows.emplace_back(Rows().GetItemText(r, 0), Rows().GetItemText(r, 1));
        }
        return rows;
    }

    std::string CategoryCountText() const {
        return m_pMain->m_wndStatusDialogBar.GetDlgItemText(IDC_CATEGORY_COUNT);
    }

    std::string m_strDir;
    fw::CScriptedRunner m_runner;
    fw::CFakeSystemServices m_services;
    std::unique_ptr<fw::CScopedRunner> m_pScope;
    std::unique_ptr<CQuorrelApp> m_pApp;
    CMainFrame* m_pMain = nullptr;
    CQuorrelDoc* m_pDoc = nullptr;
};

}  // namespace cardstest
