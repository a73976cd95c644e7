#include "framework/dialogbuilder.h"

#include "framework/resources.h"
#include "framework/textcodec.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <climits>
#include <vector>

namespace fw {

namespace {

bool HasMnemonic(const QString& text) {
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i] == QLatin1Char('&')) {
            if (text[i + 1] != QLatin1Char('&')) {
                return true;
            }
            ++i;
        }
    }
    return false;
}

QWidget* MakeControl(QWidget* parent, const DlgControl& c, const QRect& rect) {
    const QString text = BytesToQString(c.text);
    QWidget* w = nullptr;
    switch (c.kind) {
    case CtlKind::Static: {
        auto* label = new QLabel(text, parent);
        label->setTextFormat(Qt::PlainText);
        label->setWordWrap(true); // classic statics wrap at their width
        Qt::Alignment h = Qt::AlignLeft;
        if (c.style & SS_CENTER) {
            h = Qt::AlignHCenter;
        } else if (c.style & SS_RIGHT) {
            h = Qt::AlignRight;
        }
        label->setAlignment(h | Qt::AlignTop);
        w = label;
        break;
    }
    case CtlKind::Edit:
        if (c.style & ES_MULTILINE) {
            auto* edit = new QPlainTextEdit(parent);
            edit->setPlainText(text);
            edit->setTabChangesFocus(true);
            edit->setLineWrapMode((c.style & ES_AUTOHSCROLL) ? QPlainTextEdit::NoWrap
                                                             : QPlainTextEdit::WidgetWidth);
            edit->setVerticalScrollBarPolicy((c.style & WS_VSCROLL) ? Qt::ScrollBarAlwaysOn
                                                                    : Qt::ScrollBarAlwaysOff);
            edit->setReadOnly(c.style & ES_READONLY);
            w = edit;
        } else {
            auto* edit = new QLineEdit(parent);
            edit->setMaxLength(INT_MAX); // Qt would cut long texts at 32767 characters
            edit->setText(text);
            edit->setEchoMode((c.style & ES_PASSWORD) ? QLineEdit::Password : QLineEdit::Normal);
            edit->setReadOnly(c.style & ES_READONLY);
            w = edit;
        }
        break;
    case CtlKind::Button:
    case CtlKind::DefButton: {
        auto* button = new QPushButton(text, parent);
        button->setDefault(c.kind == CtlKind::DefButton);
        w = button;
        break;
    }
    case CtlKind::CheckBox:
        w = new QCheckBox(text, parent);
        break;
    case CtlKind::GroupBox:
        w = new QGroupBox(text, parent);
        break;
    case CtlKind::Icon: {
        auto* label = new QLabel(parent);
        const int side = std::min(rect.width(), rect.height());
        if (c.iconId != 0) {
            label->setPixmap(LoadIconPixmap(c.iconId, QSize(side, side)));
        }
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        w = label;
        break;
    }
    case CtlKind::IconButton: {
        auto* button = new QPushButton(parent);
        if (c.iconId != 0) {
            button->setIcon(LoadIcon(c.iconId));
        }
        const int side = std::max(8, std::min(rect.width(), rect.height()) - 6);
        button->setIconSize(QSize(side, side));
        w = button;
        break;
    }
    case CtlKind::SpinBox:
        w = new QSpinBox(parent);
        break;
    case CtlKind::ComboBox: {
        auto* combo = new QComboBox(parent);
        combo->setEditable(false);
        w = combo;
        break;
    }
    case CtlKind::ListBox:
        w = new QListWidget(parent);
        break;
    }
    w->setGeometry(rect);
    w->setProperty(kControlIdProperty, c.id);
    if (c.id != IDC_STATIC) {
        w->setObjectName(QStringLiteral("ctl%1").arg(c.id));
    }
    if (c.style & WS_DISABLED) {
        w->setEnabled(false);
    }
    if (c.style & WS_HIDDEN) {
        w->setHidden(true);
    }
    return w;
}

bool TakesFocus(const QWidget* w) {
    return qobject_cast<const QLineEdit*>(w) || qobject_cast<const QPlainTextEdit*>(w) ||
           qobject_cast<const QComboBox*>(w) || qobject_cast<const QSpinBox*>(w) ||
           qobject_cast<const QListWidget*>(w);
}

} // namespace

std::map<int, QPointer<QWidget>> BuildDialogControls(QWidget* parent, const DialogTemplate& tmpl,
                                                     const CDialogUnits& units) {
    std::map<int, QPointer<QWidget>> byId;
    std::vector<QWidget*> made;
    std::vector<QWidget*> groups;
    for (const DlgControl& c : tmpl.controls) {
        QWidget* w = MakeControl(parent, c, units.ToPixels(c.x, c.y, c.cx, c.cy));
        made.push_back(w);
        if (c.kind == CtlKind::GroupBox) {
            groups.push_back(w);
        }
        if (c.id != IDC_STATIC) {
            byId.emplace(c.id, w);
        }
    }
    // Group boxes frame the controls drawn over them; they are not their parents.
    for (auto it = groups.rbegin(); it != groups.rend(); ++it) {
        (*it)->lower();
    }
    // A label's mnemonic moves the focus to the next control that takes input, as it always did.
    for (size_t i = 0; i < made.size(); ++i) {
        auto* label = qobject_cast<QLabel*>(made[i]);
        if (!label || !HasMnemonic(label->text())) {
            continue;
        }
        for (size_t j = i + 1; j < made.size(); ++j) {
            if (TakesFocus(made[j])) {
                label->setBuddy(made[j]);
                break;
            }
        }
    }
    return byId;
}

int ControlId(const QWidget* control) {
    if (!control) {
        return IDC_STATIC;
    }
    const QVariant v = control->property(kControlIdProperty);
    return v.isValid() ? v.toInt() : IDC_STATIC;
}

} // namespace fw
