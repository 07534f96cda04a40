#include "NotSupportedMessage.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QString>

#include <vexa/VexaResult.h>

#include "QMessageDlg.h"

bool IsNotSupportedYet(int code) {
    return code == VEXA_E_NOT_SUPPORTED_YET;
}

QString NotSupportedYetText() {
    return QCoreApplication::translate(
        "NotSupportedMessage", "This is not supported on this device yet. It will come in a later version.");
}

void ShowNotSupportedYetLater(QObject* context) {
    QMetaObject::invokeMethod(
        context, [] { ShowMessage(NotSupportedYetText(), QString(), MSG_WARNING); }, Qt::QueuedConnection);
}
