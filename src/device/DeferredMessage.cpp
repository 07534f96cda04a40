#include "DeferredMessage.h"

#include <QString>
#include <QTimer>

#include "QMessageDlg.h"

void ShowMessageLater(QObject* context, const QString& message) {
    // The dialog captures only the text, so the context may go away while the dialog is open.
    QTimer::singleShot(0, context, [message] { ShowMessage(message); });
}
