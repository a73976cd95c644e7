#include "framework/modalrunner.h"

#include "framework/dialog.h"
#include "framework/messagebox.h"
#include "framework/popupmenu.h"
#include "framework/textcodec.h"

#include <QDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QStringList>

namespace fw {

namespace {

QString FilterText(const std::vector<std::pair<std::string, std::string>>& filters) {
    QStringList parts;
    for (const auto& [name, pattern] : filters) {
        QString entry = BytesToQString(name);
        // Qt reads the patterns from the parentheses of the name; add them when the name has none.
        if (!entry.contains('(')) {
            entry += QStringLiteral(" (") + BytesToQString(pattern) + QStringLiteral(")");
        }
        parts << entry;
    }
    return parts.join(QStringLiteral(";;"));
}

class CRealRunner : public CModalRunner {
public:
    int MessageBox(const MessageBoxRequest& request) override { return ShowMessageBox(request); }

    int RunDialog(CDialog& dialog) override {
        auto* window = qobject_cast<QDialog*>(dialog.GetWindow());
        if (window && !dialog.HasEnded()) {
            window->exec();
        }
        return dialog.GetResult();
    }

    std::optional<std::string> FileDialog(const FileDialogRequest& request) override {
        QFileDialog dialog(request.owner, BytesToQString(request.title));
        dialog.setAcceptMode(request.open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
        dialog.setFileMode(request.open ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
        if (!request.filters.empty()) {
            dialog.setNameFilter(FilterText(request.filters));
        }
        if (!request.initialPath.empty()) {
            const QFileInfo info(BytesToQString(request.initialPath));
            if (info.isDir()) {
                dialog.setDirectory(info.filePath());
            } else {
                dialog.setDirectory(info.path());
                dialog.selectFile(info.fileName());
            }
        }
        std::string ext = request.defaultExtension;
        if (!ext.empty() && ext.front() == '.') {
            ext.erase(0, 1);
        }
        if (!ext.empty()) {
            dialog.setDefaultSuffix(BytesToQString(ext));
        }
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
            return std::nullopt;
        }
        return QStringToBytes(dialog.selectedFiles().front());
    }

    int TrackPopupMenu(const PopupMenuRequest& request) override { return ShowPopupMenu(request); }
};

CRealRunner g_realRunner;
CModalRunner* g_pRunner = nullptr;

template <typename T> bool TakeFront(std::vector<T>& queue, T& out) {
    if (queue.empty()) {
        return false;
    }
    out = std::move(queue.front());
    queue.erase(queue.begin());
    return true;
}

} // namespace

CModalRunner& GetModalRunner() {
    return g_pRunner ? *g_pRunner : g_realRunner;
}

void SetModalRunner(CModalRunner* runner) {
    g_pRunner = runner;
}

int MessageBox(const std::string& text, const std::string& caption, unsigned type, QWidget* owner) {
    MessageBoxRequest request;
    request.text = text;
    request.caption = caption.empty() ? std::string("Error") : caption;
    request.type = type;
    request.owner = owner;
    return GetModalRunner().MessageBox(request);
}

int CScriptedRunner::MessageBox(const MessageBoxRequest& request) {
    m_messages.push_back(request);
    int answer = 0;
    if (TakeFront(m_messageAnswers, answer)) {
        return answer;
    }
    const unsigned kind = request.type & MB_TYPEMASK;
    return kind == MB_YESNO || kind == MB_YESNOCANCEL ? IDYES : IDOK;
}

int CScriptedRunner::RunDialog(CDialog& dialog) {
    m_dialogCaptions.push_back(dialog.GetWindowText());
    // Like a user: each handler is one try at the dialog; a dialog that refuses OK (stays open) gets the
    // next handler, and with none left it is cancelled.
    while (!dialog.HasEnded()) {
        DialogHandler handler;
        if (!TakeFront(m_dialogHandlers, handler)) {
            dialog.OnCancel();
            if (!dialog.HasEnded()) {
                dialog.EndDialog(IDCANCEL);
            }
            break;
        }
        const int answer = handler ? handler(dialog) : IDCANCEL;
        if (dialog.HasEnded()) {
            break;
        }
        if (answer == IDOK) {
            dialog.OnOK();
        } else {
            dialog.OnCancel();
        }
    }
    return dialog.GetResult();
}

std::optional<std::string> CScriptedRunner::FileDialog(const FileDialogRequest& request) {
    m_fileDialogs.push_back(request);
    std::optional<std::string> answer;
    TakeFront(m_fileAnswers, answer);
    return answer;
}

int CScriptedRunner::TrackPopupMenu(const PopupMenuRequest& request) {
    m_popups.push_back(request);
    int answer = 0;
    TakeFront(m_popupAnswers, answer);
    return answer;
}

std::vector<std::string> CScriptedRunner::MessageTexts() const {
    std::vector<std::string> texts;
    texts.reserve(m_messages.size());
    for (const MessageBoxRequest& m : m_messages) {
        texts.push_back(m.text);
    }
    return texts;
}

CScopedRunner::CScopedRunner(CModalRunner& runner) : m_pPrevious(g_pRunner) {
    g_pRunner = &runner;
}

CScopedRunner::~CScopedRunner() {
    g_pRunner = m_pPrevious;
}

} // namespace fw
