#pragma once
// Command routing. A command is a numeric id (menu item, accelerator, toolbar button). Every CCmdTarget
// has a message map, filled in its constructor: for an id (or a range of ids) a handler, an update rule,
// or both:
//
//     OnCommand(ID_FILE_SAVE, [this] { OnFileSave(); });
//     OnUpdateCommand(ID_FILE_SAVE, [this](CCmdUI* pCmdUI) { pCmdUI->Enable(HasCards()); });
//
// A frame offers a command to the targets of its route in order (active document window, its active view,
// that view's document, the document window, the main frame, the application). Executing: the first
// target with a handler takes it. Updating: the first update rule on the route decides; a command whose
// route holds no handler is disabled whatever the rules say. Frames send commands only after asking the
// rules (CFrameWnd::SendCommand), so a disabled command never runs.
#include "framework/object.h"

#include <functional>
#include <map>
#include <string>
#include <vector>

// What an update rule sets for one command: enabled, check mark, text.
class CCmdUI {
public:
    explicit CCmdUI(int nID = 0) : m_nID(nID) {}

    void Enable(bool bOn = true);
    // 0 unchecked, 1 checked, 2 indeterminate (shown checked).
    void SetCheck(int nCheck = 1);
    // Menu items only: replaces the item's text (bytes, with & for the mnemonic).
    void SetText(const std::string& strText);

    int m_nID;

    // What the rules said, for the frame that asked.
    bool IsEnabled() const { return m_bHandlerFound && m_bEnabled; }
    int GetCheck() const { return m_nCheck; }
    bool IsTouched() const { return m_bTouched; }
    bool IsCheckSet() const { return m_bCheckSet; }
    bool IsTextSet() const { return m_bTextSet; }
    const std::string& GetText() const { return m_strText; }
    bool HasHandler() const { return m_bHandlerFound; }
    bool HasRuleRun() const { return m_bRuleRan; }

    // Filled while the route is walked (CCmdTarget::OnCmdMsg).
    void NoteHandler() { m_bHandlerFound = true; }
    void NoteRuleRan() { m_bRuleRan = true; }

private:
    bool m_bEnabled = true;
    int m_nCheck = 0;
    std::string m_strText;
    bool m_bTouched = false;
    bool m_bCheckSet = false;
    bool m_bTextSet = false;
    bool m_bHandlerFound = false;
    bool m_bRuleRan = false;
};

class CCmdTarget : public CObject {
public:
    using Handler = std::function<void()>;
    using RangeHandler = std::function<void(int nID)>;
    using UpdateRule = std::function<void(CCmdUI* pCmdUI)>;

    CCmdTarget() = default;
    ~CCmdTarget() override = default;
    CCmdTarget(const CCmdTarget&) = delete;
    CCmdTarget& operator=(const CCmdTarget&) = delete;

    // pUpdate null: execute the first handler of the route; returns whether one ran.
    // pUpdate set: run the first update rule not yet run and note whether a handler exists; returns true
    // once both are known, so the walk can stop. The base looks at this target's own map only; views,
    // documents and frames extend it along the route.
    virtual bool OnCmdMsg(int nID, CCmdUI* pUpdate);

    // This target's own map, without the route.
    bool HasCommandHandler(int nID) const;
    bool HasUpdateRule(int nID) const;

protected:
    // The message map. A later entry for the same id replaces the earlier one; ranges are inclusive and
    // are looked at after the single ids.
    void OnCommand(int nID, Handler handler);
    void OnCommandRange(int nFirstID, int nLastID, RangeHandler handler);
    void OnUpdateCommand(int nID, UpdateRule rule);
    void OnUpdateCommandRange(int nFirstID, int nLastID, UpdateRule rule);

private:
    struct Entry {
        RangeHandler handler;
        UpdateRule rule;
    };
    struct RangeEntry {
        int nFirst;
        int nLast;
        Entry entry;
    };
    const RangeHandler* FindHandler(int nID) const;
    const UpdateRule* FindRule(int nID) const;

    std::map<int, Entry> m_map;
    std::vector<RangeEntry> m_ranges;
};
