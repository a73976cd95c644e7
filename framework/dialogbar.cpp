#include "framework/dialogbar.h"

#include "framework/dialogbuilder.h"
#include "framework/resources.h"
#include "framework/restypes.h"
#include "framework/textcodec.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>

CDialogBar::CDialogBar(QWidget* parent) : QWidget(parent) {}

CDialogBar::~CDialogBar() = default;

bool CDialogBar::Create(QWidget* parent, int templateId, int barId) {
    const fw::DialogTemplate* tmpl = fw::FindDialogTemplate(templateId);
    if (!tmpl) {
        return false;
    }
    if (parent && parent != parentWidget()) {
        setParent(parent);
    }
    m_nBarId = barId;
    setObjectName(QStringLiteral("bar%1").arg(barId));
    for (const auto& [id, control] : m_controls) {
        delete control.data();
    }
    const QFont font = CDialogUnits::DialogFont(tmpl->fontName, tmpl->pointSize);
    setFont(font);
    m_units = CDialogUnits::FromFont(font);
    m_controls = fw::BuildDialogControls(this, *tmpl, m_units);
    for (const auto& [id, control] : m_controls) {
        // String resources of control ids read "prompt\ntip".
        const std::string text = fw::LoadResString(id);
        const size_t nl = text.find('\n');
        if (control && nl != std::string::npos && nl + 1 < text.size()) {
            control->setToolTip(fw::BytesToQString(text.substr(nl + 1)));
        }
    }
    m_size = QSize(m_units.ToPixelsX(tmpl->cx), m_units.ToPixelsY(tmpl->cy));
    setMinimumHeight(m_size.height());
    resize(m_size);
    return true;
}

QWidget* CDialogBar::GetDlgItem(int id) const {
    const auto it = m_controls.find(id);
    return it == m_controls.end() ? nullptr : it->second.data();
}

void CDialogBar::SetDlgItemText(int id, const std::string& text) {
    QWidget* w = GetDlgItem(id);
    if (auto* label = qobject_cast<QLabel*>(w)) {
        label->setText(fw::BytesToQString(text));
    } else if (auto* edit = qobject_cast<QLineEdit*>(w)) {
        edit->setText(fw::BytesToQString(text));
    } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
        button->setText(fw::BytesToQString(text));
    }
}

std::string CDialogBar::GetDlgItemText(int id) const {
    const QWidget* w = GetDlgItem(id);
    if (const auto* label = qobject_cast<const QLabel*>(w)) {
        return fw::QStringToBytes(label->text());
    }
    if (const auto* edit = qobject_cast<const QLineEdit*>(w)) {
        return fw::QStringToBytes(edit->text());
    }
    if (const auto* button = qobject_cast<const QAbstractButton*>(w)) {
        return fw::QStringToBytes(button->text());
    }
    return {};
}

void CDialogBar::SetDlgItemIcon(int id, int iconId) {
    QWidget* w = GetDlgItem(id);
    if (auto* label = qobject_cast<QLabel*>(w)) {
        const int side = std::min(label->width(), label->height());
        label->setPixmap(fw::LoadIconPixmap(iconId, QSize(side, side)));
    } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
        button->setIcon(fw::LoadIcon(iconId));
    }
}

QSize CDialogBar::sizeHint() const {
    return m_size.isValid() ? m_size : QWidget::sizeHint();
}
