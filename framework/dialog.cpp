#include "framework/dialog.h"

#include "framework/dialogbuilder.h"
#include "framework/resources.h"
#include "framework/textcodec.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextDocument>

namespace {

// Properties that remember what data exchange last put into a control: the text as the control showed
// it and the bytes it came from, so an unchanged text goes back as the same bytes.
constexpr const char* kShownText = "fwShownText";
constexpr const char* kShownBytes = "fwShownBytes";

// The text of a multi-line edit with its paragraph breaks as line feeds; no-break spaces stay (Qt's
// plain-text view would turn them into spaces).
QString RawPlainText(const QPlainTextEdit* edit) {
    QString text = edit->document()->toRawText();
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    return text;
}

QString ControlText(const QWidget* w) {
    if (const auto* e = qobject_cast<const QLineEdit*>(w)) {
        return e->text();
    }
    if (const auto* p = qobject_cast<const QPlainTextEdit*>(w)) {
        return RawPlainText(p);
    }
    if (const auto* l = qobject_cast<const QLabel*>(w)) {
        return l->text();
    }
    if (const auto* b = qobject_cast<const QAbstractButton*>(w)) {
        return b->text();
    }
    if (const auto* c = qobject_cast<const QComboBox*>(w)) {
        return c->currentText();
    }
    return {};
}

void SetControlText(QWidget* w, const QString& text) {
    if (auto* e = qobject_cast<QLineEdit*>(w)) {
        e->setText(text);
    } else if (auto* p = qobject_cast<QPlainTextEdit*>(w)) {
        p->setPlainText(text);
    } else if (auto* l = qobject_cast<QLabel*>(w)) {
        l->setText(text);
    } else if (auto* b = qobject_cast<QAbstractButton*>(w)) {
        b->setText(text);
    } else if (auto* c = qobject_cast<QComboBox*>(w)) {
        if (c->isEditable()) {
            c->setEditText(text);
        } else {
            c->setCurrentIndex(c->findText(text));
        }
    }
}

bool IsMultiLine(const QWidget* w) {
    return qobject_cast<const QPlainTextEdit*>(w) != nullptr;
}

// The bytes a control's text stands for: line feeds of a multi-line edit are stored as CR LF.
std::string StoredBytes(const QWidget* w, const QString& text) {
    if (!IsMultiLine(w)) {
        return fw::QStringToBytes(text);
    }
    QString crlf = text;
    crlf.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    crlf.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return fw::QStringToBytes(crlf);
}

QString ShownText(const QWidget* w, const std::string& bytes) {
    QString text = fw::BytesToQString(bytes);
    if (IsMultiLine(w)) {
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    }
    return text;
}

// Puts bytes into a control and remembers what it then shows.
void ShowBytes(QWidget* w, const std::string& bytes) {
    SetControlText(w, ShownText(w, bytes));
    w->setProperty(kShownText, ControlText(w));
    w->setProperty(kShownBytes, QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

// The bytes for what a control shows now: the bytes it was given when the text is still the one shown,
// else the stored form of the new text.
std::string ReadBytes(const QWidget* w, const std::string& member) {
    const QString now = ControlText(w);
    const QVariant shown = w->property(kShownText);
    if (shown.isValid() && shown.toString() == now) {
        const QByteArray b = w->property(kShownBytes).toByteArray();
        return std::string(b.constData(), static_cast<size_t>(b.size()));
    }
    if (now == ShownText(w, member)) {
        return member;
    }
    return StoredBytes(w, now);
}

} // namespace

// The window of a CDialog: Escape, the close box and Enter go through the dialog's handlers.
class CDialogWindow : public QDialog {
public:
    CDialogWindow(CDialog* owner, QWidget* parent) : QDialog(parent), m_pOwner(owner) {}
    // The dialog object lets go of its window; nothing reaches it from here on.
    void Detach() { m_pOwner = nullptr; }
    void ControlClicked(int id) {
        if (m_pOwner) {
            m_pOwner->OnControlClicked(id);
        }
    }
    void reject() override {
        if (m_pOwner) {
            m_pOwner->OnControlClicked(fw::IDCANCEL);
        } else {
            QDialog::reject();
        }
    }
    void accept() override {
        if (m_pOwner) {
            m_pOwner->OnControlClicked(fw::IDOK);
        } else {
            QDialog::accept();
        }
    }

private:
    CDialog* m_pOwner;
};

// Keeps one edit within a byte limit (see CDialog::SetLimitText).
struct DialogTextLimit {
    size_t maxBytes = 0;
    QString last;
    bool busy = false;
};

namespace {

void EnforceLimit(QWidget* w, DialogTextLimit& limit) {
    if (limit.busy) {
        return;
    }
    const QString now = ControlText(w);
    const size_t nowBytes = StoredBytes(w, now).size();
    if (nowBytes > limit.maxBytes) {
        QString replacement;
        if (nowBytes > StoredBytes(w, limit.last).size()) {
            replacement = limit.last; // the input would go beyond the limit: refuse it
        } else {
            // A text that was already too long (bytes shown in a wider form) is cut to fit.
            std::string cut = fw::TruncateUtf8(StoredBytes(w, now), limit.maxBytes);
            if (IsMultiLine(w) && !cut.empty() && cut.back() == '\r') {
                cut.pop_back();
            }
            replacement = ShownText(w, cut);
        }
        limit.busy = true;
        if (auto* e = qobject_cast<QLineEdit*>(w)) {
            const int cursor = e->cursorPosition();
            e->setText(replacement);
            e->setCursorPosition(std::min(cursor, static_cast<int>(replacement.size())));
        } else if (auto* p = qobject_cast<QPlainTextEdit*>(w)) {
            const int cursor = p->textCursor().position();
            p->setPlainText(replacement);
            QTextCursor tc = p->textCursor();
            tc.setPosition(std::min(cursor, static_cast<int>(RawPlainText(p).size())));
            p->setTextCursor(tc);
        }
        limit.busy = false;
    }
    limit.last = ControlText(w);
}

} // namespace

void DDX_Text(CDataExchange* pDX, int id, std::string& member) {
    QWidget* w = pDX->m_pDlgWnd->GetDlgItem(id);
    if (!w) {
        return;
    }
    if (pDX->m_bSaveAndValidate) {
        member = ReadBytes(w, member);
    } else {
        pDX->m_pDlgWnd->SetDlgItemText(id, member);
    }
}

void DDX_Check(CDataExchange* pDX, int id, int32_t& member) {
    auto* box = qobject_cast<QCheckBox*>(pDX->m_pDlgWnd->GetDlgItem(id));
    if (!box) {
        return;
    }
    if (pDX->m_bSaveAndValidate) {
        switch (box->checkState()) {
        case Qt::Checked:
            member = 1;
            break;
        case Qt::PartiallyChecked:
            member = 2;
            break;
        default:
            member = 0;
            break;
        }
    } else {
        if (member == 2) {
            box->setTristate(true);
            box->setCheckState(Qt::PartiallyChecked);
        } else {
            box->setCheckState(member == 1 ? Qt::Checked : Qt::Unchecked);
        }
    }
}

CDialog::CDialog(int templateId, QWidget* parent) : m_nTemplateId(templateId), m_pParent(parent) {}

CDialog::~CDialog() {
    DestroyWindow();
}

bool CDialog::CreateWindowAndControls(QWidget* parent, bool bModal) {
    DestroyWindow();
    m_pTemplate = fw::FindDialogTemplate(m_nTemplateId);
    if (!m_pTemplate) {
        return false;
    }
    m_bEnded = false;
    m_nResult = fw::IDCANCEL;
    auto* window = new CDialogWindow(this, parent);
    window->setModal(bModal);
    window->setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowCloseButtonHint);
    const QFont font = CDialogUnits::DialogFont(m_pTemplate->fontName, m_pTemplate->pointSize);
    window->setFont(font);
    m_units = CDialogUnits::FromFont(font);
    if (!m_bCaptionSet) {
        m_strCaption = m_pTemplate->caption;
    }
    window->setWindowTitle(fw::BytesToQString(m_strCaption));
    window->setFixedSize(m_units.ToPixelsX(m_pTemplate->cx), m_units.ToPixelsY(m_pTemplate->cy));
    m_pWindow = window;
    m_controls = fw::BuildDialogControls(window, *m_pTemplate, m_units);
    for (const auto& [id, control] : m_controls) {
        if (auto* button = qobject_cast<QAbstractButton*>(control.data())) {
            const int cid = id;
            QObject::connect(button, &QAbstractButton::clicked, window,
                             [window, cid] { window->ControlClicked(cid); });
        }
    }
    return true;
}

int CDialog::DoModal() {
    // A dialog without a parent belongs to the program's active window, as it always did.
    QWidget* parent = m_pParent ? m_pParent : QApplication::activeWindow();
    if (!CreateWindowAndControls(parent, true)) {
        return -1;
    }
    OnInitDialog();
    const int result = fw::GetModalRunner().RunDialog(*this);
    DestroyWindow();
    return result;
}

bool CDialog::Create(QWidget* parent) {
    if (!CreateWindowAndControls(parent ? parent : m_pParent, false)) {
        return false;
    }
    OnInitDialog();
    if (m_pWindow && !m_bEnded) {
        m_pWindow->show();
    }
    return true;
}

void CDialog::DestroyWindow() {
    if (m_pWindow) {
        // Often called from a handler of the window itself (OnCancel of a modeless dialog), so the
        // window goes once its event is done.
        auto* window = static_cast<CDialogWindow*>(m_pWindow.data());
        window->Detach();
        window->hide();
        window->deleteLater();
    }
    m_pWindow = nullptr;
    m_controls.clear();
    m_limits.clear();
}

bool CDialog::OnInitDialog() {
    UpdateData(false);
    return true;
}

void CDialog::DoDataExchange(CDataExchange* /*pDX*/) {}

bool CDialog::UpdateData(bool bSaveAndValidate) {
    if (!m_pWindow) {
        return false;
    }
    CDataExchange dx(this, bSaveAndValidate);
    DoDataExchange(&dx);
    return true;
}

void CDialog::OnOK() {
    if (!UpdateData(true)) {
        return;
    }
    EndDialog(fw::IDOK);
}

void CDialog::OnCancel() {
    EndDialog(fw::IDCANCEL);
}

void CDialog::EndDialog(int result) {
    m_bEnded = true;
    m_nResult = result;
    if (m_pWindow) {
        m_pWindow->QDialog::done(result);
    }
}

void CDialog::OnButtonClicked(int id, std::function<void()> handler) {
    m_handlers[id] = std::move(handler);
}

void CDialog::ClickButton(int id) {
    auto* button = qobject_cast<QAbstractButton*>(GetDlgItem(id));
    if (button) {
        if (button->isEnabled()) {
            button->click(); // toggles a check box, then runs the handler through clicked()
        }
        return;
    }
    OnControlClicked(id);
}

void CDialog::OnControlClicked(int id) {
    if (auto it = m_handlers.find(id); it != m_handlers.end() && it->second) {
        it->second();
    } else if (id == fw::IDOK) {
        OnOK();
    } else if (id == fw::IDCANCEL) {
        OnCancel();
    }
}

QWidget* CDialog::GetWindow() const {
    return m_pWindow.data();
}

QWidget* CDialog::GetDlgItem(int id) const {
    const auto it = m_controls.find(id);
    return it == m_controls.end() ? nullptr : it->second.data();
}

void CDialog::SetWindowText(const std::string& text) {
    m_strCaption = text;
    m_bCaptionSet = true;
    if (m_pWindow) {
        m_pWindow->setWindowTitle(fw::BytesToQString(text));
    }
}

std::string CDialog::GetWindowText() const {
    if (!m_pWindow) {
        return m_strCaption;
    }
    return fw::EditedBytes(m_strCaption, m_pWindow->windowTitle());
}

void CDialog::SetDlgItemText(int id, const std::string& text) {
    QWidget* w = GetDlgItem(id);
    if (!w) {
        return;
    }
    const auto it = m_limits.find(id);
    DialogTextLimit* limit = it == m_limits.end() ? nullptr : it->second.get();
    if (limit) {
        limit->busy = true;
    }
    ShowBytes(w, text);
    if (limit) {
        limit->busy = false;
        limit->last = ControlText(w);
    }
}

std::string CDialog::GetDlgItemText(int id) const {
    const QWidget* w = GetDlgItem(id);
    return w ? ReadBytes(w, {}) : std::string();
}

void CDialog::SetLimitText(int id, size_t maxBytes) {
    QWidget* w = GetDlgItem(id);
    if (!w || !(qobject_cast<QLineEdit*>(w) || qobject_cast<QPlainTextEdit*>(w))) {
        return;
    }
    if (auto it = m_limits.find(id); it != m_limits.end()) {
        it->second->maxBytes = maxBytes;
        return;
    }
    auto limit = std::make_shared<DialogTextLimit>();
    limit->maxBytes = maxBytes;
    limit->last = ControlText(w);
    m_limits.emplace(id, limit);
    if (auto* e = qobject_cast<QLineEdit*>(w)) {
        // Only what the user types or pastes; texts put in by the program are theirs to keep.
        QObject::connect(e, &QLineEdit::textEdited, e, [e, limit] { EnforceLimit(e, *limit); });
        QObject::connect(e, &QLineEdit::textChanged, e, [e, limit] {
            if (!limit->busy) {
                limit->last = e->text();
            }
        });
    } else if (auto* p = qobject_cast<QPlainTextEdit*>(w)) {
        QObject::connect(p, &QPlainTextEdit::textChanged, p, [p, limit] { EnforceLimit(p, *limit); });
    }
}

QSize CDialog::GetWindowSize() const {
    return m_pWindow ? m_pWindow->size() : QSize();
}

void CDialog::SetWindowSize(int width, int height) {
    if (!m_pWindow) {
        return;
    }
    const QPoint pos = m_pWindow->pos();
    m_pWindow->setFixedSize(std::max(0, width), std::max(0, height));
    m_pWindow->move(pos);
}

void CDialog::ShowWindow(bool bShow) {
    if (m_pWindow) {
        m_pWindow->setVisible(bShow);
    }
}

void CDialog::RedrawWindow() {
    if (m_pWindow) {
        m_pWindow->update();
    }
}

QRect CDialog::GetControlScreenRect(int id) const {
    const QWidget* w = GetDlgItem(id);
    if (!w) {
        return {};
    }
    return QRect(w->mapToGlobal(QPoint(0, 0)), w->size());
}

void CDialog::SetButtonIcon(int id, int iconId) {
    if (auto* button = qobject_cast<QAbstractButton*>(GetDlgItem(id))) {
        button->setIcon(fw::LoadIcon(iconId));
    }
}

void CDialog::EnableControl(int id, bool bEnable) {
    if (QWidget* w = GetDlgItem(id)) {
        w->setEnabled(bEnable);
    }
}

void CDialog::ShowControl(int id, bool bShow) {
    if (QWidget* w = GetDlgItem(id)) {
        w->setHidden(!bShow);
    }
}

void CDialog::SetReadOnly(int id, bool bReadOnly) {
    QWidget* w = GetDlgItem(id);
    if (auto* e = qobject_cast<QLineEdit*>(w)) {
        e->setReadOnly(bReadOnly);
    } else if (auto* p = qobject_cast<QPlainTextEdit*>(w)) {
        p->setReadOnly(bReadOnly);
    }
}

void CDialog::SetPasswordChar(int id, bool bMasked) {
    if (auto* e = qobject_cast<QLineEdit*>(GetDlgItem(id))) {
        e->setEchoMode(bMasked ? QLineEdit::Password : QLineEdit::Normal);
    }
}

bool CDialog::IsControlEnabled(int id) const {
    const QWidget* w = GetDlgItem(id);
    return w && w->isEnabledTo(m_pWindow.data());
}

bool CDialog::IsControlVisible(int id) const {
    const QWidget* w = GetDlgItem(id);
    return w && !w->isHidden();
}

int CDialog::TrackPopupMenu(const std::vector<fw::PopupMenuItem>& items, int x, int y) {
    fw::PopupMenuRequest request;
    request.items = items;
    request.x = x;
    request.y = y;
    request.owner = m_pWindow.data();
    return fw::GetModalRunner().TrackPopupMenu(request);
}
