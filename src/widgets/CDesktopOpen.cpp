#include "CDesktopOpen.h"

#include <QDebug>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

#include "QMessageDlg.h"

namespace {

CDesktopOpen::Opener& TestOpener() {
    static CDesktopOpen::Opener opener;
    return opener;
}

QString Shown(const QUrl& url) {
    return url.isLocalFile() ? QDir::toNativeSeparators(url.toLocalFile()) : url.toString();
}

} // namespace

bool CDesktopOpen::Open(const QUrl& url) {
    const bool opened = TestOpener() ? TestOpener()(url) : QDesktopServices::openUrl(url);
    if (opened)
        return true;
    qDebug() << "CDesktopOpen::Open nothing could open" << url;
    ShowMessage(tr("No program could be started to open %1.\nPlease open it yourself.").arg(Shown(url)),
                QString(), MSG_WARNING);
    return false;
}

bool CDesktopOpen::OpenFolder(const QString& folder) {
    return Open(QUrl::fromLocalFile(folder));
}

void CDesktopOpen::ConfirmFileExport(const QString& path) {
    const QString question = tr("Exported to %1.\nDo you want to open the folder that holds it?")
                                 .arg(QDir::toNativeSeparators(path));
    if (ShowMessage(question, QString(), MSG_SUCCESS | MSG_YESNO) == MSG_RESULT_YES)
        OpenFolder(QFileInfo(path).absolutePath());
}

void CDesktopOpen::ConfirmFolderExport(const QString& folder) {
    const QString question =
        tr("Exported into the folder %1.\nDo you want to open it?").arg(QDir::toNativeSeparators(folder));
    if (ShowMessage(question, QString(), MSG_SUCCESS | MSG_YESNO) == MSG_RESULT_YES)
        OpenFolder(folder);
}

void CDesktopOpen::SetOpenerForTesting(Opener opener) {
    TestOpener() = std::move(opener);
}
