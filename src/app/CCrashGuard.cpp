#include "CCrashGuard.h"

#include <cstdint>
#include <cstdlib>
#include <string>

#include <QCoreApplication>
#include <QDateTime>
#include <QDebug>
#include <QDir>
#include <QTimer>

#include "CrashReport.h"
#include "ErrorNoteDlg.h"

namespace {

QString& DumpPath() {
    static QString path;
    return path;
}

[[noreturn]] void RaiseFault(const QByteArray& kind) {
    if (kind == "abort")
        std::abort();
    if (kind == "fpe") {
        volatile int numerator = 7;
        volatile int zero = 0;
        volatile int result = numerator / zero;
        (void)result;
    }
    // A real access fault at a known small address rather than raise(): the dump shows the address.
    volatile std::uintptr_t address = 0x10;
    *reinterpret_cast<volatile int*>(address) = 1;
    std::abort();
}

} // namespace

CCrashGuard::CCrashGuard() {
    InstallCrashHandler();
}

CCrashGuard::~CCrashGuard() {
    ResetdumpCall();
}

void InstallCrashHandler() {
    DumpPath().clear();
    // The same version the About box shows; the dump names it too.
    const QString version = QStringLiteral(VEXA_VERSION);
    SetdumpVersion(VEXA_VERSION);
    const QString path = QDir::currentPath() + QStringLiteral("/VexaTransfer_") + QStringLiteral("Qvr_") +
                         version + QLatin1Char('_') + QString::number(QDateTime::currentMSecsSinceEpoch()) +
                         QStringLiteral(".dmp");
    DumpPath() = path;
    const std::wstring widePath = path.toStdWString();
    if (SetdumpCall(widePath.c_str(), &OnCrash) != 0)
        qDebug() << "InstallCrashHandler: SetdumpCall failed for" << path;
}

QString CrashDumpPath() {
    return DumpPath();
}

void OnCrash() {
    ErrorNoteDlg dialog;
    // Lets an automated run answer the dialog: "send" or "close".
    const QByteArray answer = qgetenv("VEXA_CRASH_REPORT_ANSWER");
    if (!answer.isEmpty()) {
        QTimer::singleShot(0, &dialog, [&dialog, answer] {
            const char* button = answer == "send" ? "m_btnSend" : "m_btnClose";
            if (auto* target = dialog.findChild<QWidget*>(QLatin1String(button)))
                QMetaObject::invokeMethod(target, "click");
        });
    }
    if (dialog.exec() == 1) {
        const std::wstring widePath = DumpPath().toStdWString();
        const int result = UpdataReportFile(widePath.c_str());
        qDebug() << "UpdataReportFile returned" << result;
    }
}

bool RunPendingCrashReport() {
    std::wstring pending;
    if (!TakePendingReport(&pending))
        return false;
    DumpPath() = QString::fromStdWString(pending);
    qInfo().noquote() << "Crash report mode:" << DumpPath();
    OnCrash();
    return true;
}

void ScheduleCrashSelfTest() {
    const QByteArray kind = qgetenv("VEXA_CRASH_SELFTEST");
    if (kind.isEmpty())
        return;
    QTimer::singleShot(0, [kind] { RaiseFault(kind); });
}
