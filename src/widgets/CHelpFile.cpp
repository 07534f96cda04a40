#include "CHelpFile.h"

#include <QUrl>

#include "CDesktopOpen.h"
#include "LanguageService.h"

QString CHelpFile::Path() {
    return ResourceRoot() + QStringLiteral("/Vexa Transfer help.html");
}

bool CHelpFile::Open(const QString& section) {
    QUrl url = QUrl::fromLocalFile(Path());
    if (!section.isEmpty())
        url.setFragment(section);
    return CDesktopOpen::Open(url);
}
