#include "framework/cmdtarget.h"

#include <utility>

void CCmdUI::Enable(bool bOn) {
    m_bEnabled = bOn;
    m_bTouched = true;
}

void CCmdUI::SetCheck(int nCheck) {
    m_nCheck = nCheck;
    m_bCheckSet = true;
    m_bTouched = true;
}

void CCmdUI::SetText(const std::string& strText) {
    m_strText = strText;
    m_bTextSet = true;
    m_bTouched = true;
}

void CCmdTarget::OnCommand(int nID, Handler handler) {
    m_map[nID].handler = [h = std::move(handler)](int) { h(); };
}

void CCmdTarget::OnCommandRange(int nFirstID, int nLastID, RangeHandler handler) {
    for (auto& range : m_ranges) {
        if (range.nFirst == nFirstID && range.nLast == nLastID) {
            range.entry.handler = std::move(handler);
            return;
        }
    }
    m_ranges.push_back({nFirstID, nLastID, {std::move(handler), {}}});
}

void CCmdTarget::OnUpdateCommand(int nID, UpdateRule rule) { m_map[nID].rule = std::move(rule); }

void CCmdTarget::OnUpdateCommandRange(int nFirstID, int nLastID, UpdateRule rule) {
    for (auto& range : m_ranges) {
        if (range.nFirst == nFirstID && range.nLast == nLastID) {
            range.entry.rule = std::move(rule);
            return;
        }
    }
    m_ranges.push_back({nFirstID, nLastID, {{}, std::move(rule)}});
}

const CCmdTarget::RangeHandler* CCmdTarget::FindHandler(int nID) const {
    if (auto it = m_map.find(nID); it != m_map.end() && it->second.handler) {
        return &it->second.handler;
    }
    for (const auto& range : m_ranges) {
        if (nID >= range.nFirst && nID <= range.nLast && range.entry.handler) {
            return &range.entry.handler;
        }
    }
    return nullptr;
}

const CCmdTarget::UpdateRule* CCmdTarget::FindRule(int nID) const {
    if (auto it = m_map.find(nID); it != m_map.end() && it->second.rule) {
        return &it->second.rule;
    }
    for (const auto& range : m_ranges) {
        if (nID >= range.nFirst && nID <= range.nLast && range.entry.rule) {
            return &range.entry.rule;
        }
    }
    return nullptr;
}

bool CCmdTarget::HasCommandHandler(int nID) const { return FindHandler(nID) != nullptr; }

bool CCmdTarget::HasUpdateRule(int nID) const { return FindRule(nID) != nullptr; }

bool CCmdTarget::OnCmdMsg(int nID, CCmdUI* pUpdate) {
    if (pUpdate == nullptr) {
        const RangeHandler* pHandler = FindHandler(nID);
        if (pHandler == nullptr) {
            return false;
        }
        // A handler may close the document or frame that owns this map; run a copy so nothing it
        // destroys is still executing.
        RangeHandler handler = *pHandler;
        handler(nID);
        return true;
    }
    if (!pUpdate->HasRuleRun()) {
        if (const UpdateRule* pRule = FindRule(nID)) {
            UpdateRule rule = *pRule;
            pUpdate->NoteRuleRan();
            rule(pUpdate);
        }
    }
    if (FindHandler(nID) != nullptr) {
        pUpdate->NoteHandler();
    }
    return pUpdate->HasRuleRun() && pUpdate->HasHandler();
}
