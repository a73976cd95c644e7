#include "framework/statusbar.h"

#include "framework/afxres.h"
#include "framework/framewnd.h"
#include "framework/restypes.h"
#include "framework/textcodec.h"

#include <QFontMetrics>
#include <QLabel>
#include <filesystem>
#include <fstream>
#include <optional>

namespace {

std::string DefaultIndicatorText(int nID) {
    switch (nID) {
    case ID_INDICATOR_CAPS:
        return "CAP";
    case ID_INDICATOR_NUM:
        return "NUM";
    case ID_INDICATOR_SCRL:
        return "SCRL";
    default:
        return {};
    }
}

const char* LedName(int nID) {
    switch (nID) {
    case ID_INDICATOR_CAPS:
        return "capslock";
    case ID_INDICATOR_NUM:
        return "numlock";
    case ID_INDICATOR_SCRL:
        return "scrolllock";
    default:
        return nullptr;
    }
}

// Qt cannot tell the key locks; the keyboards' LEDs can, where the system shows them
// (/sys/class/leds/input3::capslock/brightness). The files are found once.
std::optional<bool> LockState(const char* pszLed) {
    static const std::vector<std::pair<std::string, std::string>> s_leds = [] {
        std::vector<std::pair<std::string, std::string>> leds;
        std::error_code ec;
        for (const auto& entry : std::filesystem::directory_iterator("/sys/class/leds", ec)) {
            const std::string strName = entry.path().filename().string();
            const size_t nSep = strName.rfind("::");
            if (nSep != std::string::npos) {
                leds.emplace_back(strName.substr(nSep + 2), (entry.path() / "brightness").string());
            }
        }
        return leds;
    }();
    std::optional<bool> state;
    for (const auto& [strLed, strFile] : s_leds) {
        if (strLed != pszLed) {
            continue;
        }
        std::ifstream file(strFile);
        int nValue = 0;
        if (file >> nValue) {
            state = state.value_or(false) || nValue > 0;
        }
    }
    return state;
}

}  // namespace

CStatusBar::CStatusBar(QWidget* pParent) : QStatusBar(pParent) {}

CStatusBar::~CStatusBar() = default;

bool CStatusBar::Create(CFrameWnd* pParentWnd, unsigned /*nStyle*/, int nID) {
    if (pParentWnd == nullptr) {
        return false;
    }
    m_nBarID = nID;
    pParentWnd->setStatusBar(this);
    return true;
}

bool CStatusBar::SetIndicators(const int* pIDArray, int nIDCount) {
    for (Pane& pane : m_panes) {
        removeWidget(pane.pLabel);
        delete pane.pLabel;
    }
    m_panes.clear();
    if (pIDArray == nullptr || nIDCount < 0) {
        return false;
    }
    for (int i = 0; i < nIDCount; ++i) {
        Pane pane;
        pane.nID = pIDArray[i];
        pane.pLabel = new QLabel(this);
        if (pane.nID == ID_SEPARATOR) {
            addWidget(pane.pLabel, 1);
        } else {
            pane.strText = fw::LoadResString(pane.nID);
            if (pane.strText.empty()) {
                pane.strText = DefaultIndicatorText(pane.nID);
            }
            const QString strText = fw::BytesToQString(pane.strText);
            pane.pLabel->setText(strText);
            pane.pLabel->setAlignment(Qt::AlignCenter);
            // The pane keeps its width while the text is hidden.
            pane.pLabel->setMinimumWidth(QFontMetrics(pane.pLabel->font()).horizontalAdvance(strText) + 8);
            pane.pLabel->setFrameShape(QFrame::Panel);
            pane.pLabel->setFrameShadow(QFrame::Sunken);
            addPermanentWidget(pane.pLabel);
        }
        m_panes.push_back(pane);
    }
    UpdateIndicators();
    return true;
}

int CStatusBar::CommandToIndex(int nID) const {
    for (size_t i = 0; i < m_panes.size(); ++i) {
        if (m_panes[i].nID == nID) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

bool CStatusBar::SetPaneText(int nIndex, const std::string& strText) {
    if (nIndex < 0 || nIndex >= GetPaneCount()) {
        return false;
    }
    Pane& pane = m_panes[static_cast<size_t>(nIndex)];
    pane.strText = strText;
    pane.pLabel->setText(fw::BytesToQString(strText));
    return true;
}

std::string CStatusBar::GetPaneText(int nIndex) const {
    if (nIndex < 0 || nIndex >= GetPaneCount()) {
        return {};
    }
    const Pane& pane = m_panes[static_cast<size_t>(nIndex)];
    return pane.pLabel->text().isEmpty() ? std::string() : pane.strText;
}

bool CStatusBar::IsPaneTextShown(int nIndex) const {
    return nIndex >= 0 && nIndex < GetPaneCount() && !m_panes[static_cast<size_t>(nIndex)].pLabel->text().isEmpty();
}

void CStatusBar::UpdateIndicators() {
    for (Pane& pane : m_panes) {
        const char* pszLed = LedName(pane.nID);
        if (pszLed == nullptr) {
            continue;
        }
        const std::optional<bool> state = LockState(pszLed);
        if (state.has_value()) {
            pane.pLabel->setEnabled(true);
            pane.pLabel->setText(*state ? fw::BytesToQString(pane.strText) : QString());
        } else {
            // Unknown: shown, dimmed.
            pane.pLabel->setEnabled(false);
            pane.pLabel->setText(fw::BytesToQString(pane.strText));
        }
    }
}
