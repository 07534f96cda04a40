#include "CHelpFile.h"

#include <QDebug>
#include <QDesktopServices>
#include <QUrl>

#include "LanguageService.h"

QString CHelpFile::Path() {
    return ResourceRoot() + QStringLiteral("/Vexa Transfer help.html");
}

bool CHelpFile::Open(const QString& section) {
    QUrl url = QUrl::fromLocalFile(Path());
    if (!section.isEmpty())
        url.setFragment(section);
    if (QDesktopServices::openUrl(url))
        return true;
    qDebug() << "CHelpFile::Open can't open" << url;
    return false;
}
