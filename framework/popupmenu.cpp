#include "framework/popupmenu.h"

#include "framework/textcodec.h"

#include <QAction>
#include <QMenu>

namespace fw {

int ShowPopupMenu(const PopupMenuRequest& request) {
    if (request.items.empty()) {
        return 0;
    }
    QMenu menu(request.owner);
    for (const PopupMenuItem& item : request.items) {
        // A plain text item: "&" in a secret shown here must stay a letter, not become a mnemonic.
        QString text = BytesToQString(item.text);
        text.replace(QLatin1Char('&'), QStringLiteral("&&"));
        QAction* action = menu.addAction(text);
        action->setData(item.command);
        action->setEnabled(!item.disabled);
    }
    QAction* chosen = menu.exec(QPoint(request.x, request.y));
    return chosen ? chosen->data().toInt() : 0;
}

} // namespace fw
