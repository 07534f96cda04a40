#include "ResultReason.h"

#include <QCoreApplication>
#include <QString>

#include <vexa/VexaResult.h>

QString ResultReason(int code) {
    const auto text = [](const char* source) { return QCoreApplication::translate("ResultReason", source); };
    switch (code) {
    case VEXA_E_PASSWORD:
        return text(QT_TRANSLATE_NOOP("ResultReason", "The password is wrong."));
    case VEXA_E_NOT_TRUSTED:
        return text(QT_TRANSLATE_NOOP(
            "ResultReason",
            "The device is locked or does not trust this computer: unlock it and try again."));
    case VEXA_E_NO_SPACE:
        return text(QT_TRANSLATE_NOOP("ResultReason", "There is not enough free space on the disk."));
    case VEXA_E_UNPLUGGED:
    case VEXA_E_TIMEOUT:
        return text(QT_TRANSLATE_NOOP("ResultReason", "The connection to the device was lost."));
    case VEXA_E_IO:
        return text(QT_TRANSLATE_NOOP("ResultReason", "A file could not be read or written."));
    case VEXA_E_NOT_A_BACKUP:
        return text(QT_TRANSLATE_NOOP("ResultReason", "The folder holds no readable backup."));
    case VEXA_E_UNSUPPORTED:
        return text(QT_TRANSLATE_NOOP("ResultReason", "The device does not take this file."));
    case VEXA_E_PROTOCOL:
        return text(QT_TRANSLATE_NOOP("ResultReason", "The device gave an answer this program cannot read."));
    case VEXA_E_READ_ONLY:
        return text(QT_TRANSLATE_NOOP("ResultReason", "This content can be read here but not changed."));
    case VEXA_E_INVALID_ARGUMENT:
        return text(QT_TRANSLATE_NOOP("ResultReason", "The folder path is too long or not valid."));
    default:
        return QString();
    }
}

QString WithReason(const QString& message, int code) {
    const QString reason = ResultReason(code);
    return reason.isEmpty() ? message : message + QLatin1Char('\n') + reason;
}
