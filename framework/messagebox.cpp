#include "framework/messagebox.h"

#include "framework/textcodec.h"

#include <QMessageBox>

namespace fw {

int ShowMessageBox(const MessageBoxRequest& request) {
    QMessageBox box(request.owner);
    box.setWindowTitle(BytesToQString(request.caption.empty() ? std::string("Error") : request.caption));
    box.setText(BytesToQString(request.text));
    box.setTextFormat(Qt::PlainText);
    switch (request.type & MB_ICONMASK) {
    case MB_ICONSTOP:
        box.setIcon(QMessageBox::Critical);
        break;
    case MB_ICONQUESTION:
        box.setIcon(QMessageBox::Question);
        break;
    case MB_ICONEXCLAMATION:
        box.setIcon(QMessageBox::Warning);
        break;
    case MB_ICONINFORMATION:
        box.setIcon(QMessageBox::Information);
        break;
    default:
        box.setIcon(QMessageBox::NoIcon);
        break;
    }
    QMessageBox::StandardButtons buttons;
    QMessageBox::StandardButton first = QMessageBox::Ok;
    QMessageBox::StandardButton escape = QMessageBox::Ok;
    switch (request.type & MB_TYPEMASK) {
    case MB_OKCANCEL:
        buttons = QMessageBox::Ok | QMessageBox::Cancel;
        escape = QMessageBox::Cancel;
        break;
    case MB_YESNOCANCEL:
        buttons = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        first = QMessageBox::Yes;
        escape = QMessageBox::Cancel;
        break;
    case MB_YESNO:
        // No way out but the two answers, as the classic box had.
        buttons = QMessageBox::Yes | QMessageBox::No;
        first = QMessageBox::Yes;
        escape = QMessageBox::NoButton;
        break;
    default:
        buttons = QMessageBox::Ok;
        break;
    }
    box.setStandardButtons(buttons);
    box.setDefaultButton(first);
    if (escape != QMessageBox::NoButton) {
        box.setEscapeButton(escape);
    }
    box.exec();
    switch (box.standardButton(box.clickedButton())) {
    case QMessageBox::Ok:
        return IDOK;
    case QMessageBox::Yes:
        return IDYES;
    case QMessageBox::No:
        return IDNO;
    case QMessageBox::Cancel:
        return IDCANCEL;
    default:
        return (request.type & MB_TYPEMASK) == MB_OK ? IDOK : IDCANCEL;
    }
}

} // namespace fw
