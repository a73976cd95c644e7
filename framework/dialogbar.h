#pragma once
// A bar of controls laid out by a child-style dialog template (the main frame's status dialog bar).
// Controls whose id has a string resource "prompt\ntip" show the tip part as their tool tip.
#include "framework/dialogunits.h"

#include <QPointer>
#include <QWidget>
#include <map>
#include <string>

class CDialogBar : public QWidget {
public:
    explicit CDialogBar(QWidget* parent = nullptr);
    ~CDialogBar() override;

    // Builds the controls of the template; false when the template does not exist.
    bool Create(QWidget* parent, int templateId, int barId);
    int GetBarId() const { return m_nBarId; }
    QWidget* GetDlgItem(int id) const;
    void SetDlgItemText(int id, const std::string& text);
    std::string GetDlgItemText(int id) const;
    void SetDlgItemIcon(int id, int iconId);
    QSize sizeHint() const override;

private:
    int m_nBarId = 0;
    QSize m_size;
    CDialogUnits m_units;
    std::map<int, QPointer<QWidget>> m_controls;
};
