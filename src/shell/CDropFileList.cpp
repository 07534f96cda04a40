#include "CDropFileList.h"

#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>

namespace {
// Several engineers' worth of programs may drag at once; each drag gets a folder nobody else has.
QString MakeFreshFolder(const QString& parent) {
    QDir base(parent);
    if (!base.mkpath(QStringLiteral("."))) {
        return {};
    }
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QString name =
            QStringLiteral("Vexa$%1").arg(QRandomGenerator::global()->bounded(1u << 31), 0, 10);
        // mkdir fails when the folder exists, so an existing one (and whatever it holds) is never reused.
        if (base.mkdir(name)) {
            return QFileInfo(base.filePath(name)).absoluteFilePath();
        }
    }
    return {};
}
} // namespace

CDropFileList::CDropFileList(const QString& parentFolder)
    : m_folder(MakeFreshFolder(parentFolder.isEmpty()
                                   ? QDir::temp().filePath(QStringLiteral("Vexa Manager dnd"))
                                   : parentFolder)) {}

QString CDropFileList::SafeName(const QString& deviceName) {
    QString name = deviceName;
    name.replace(QLatin1Char('/'), QLatin1Char('_'));
    name.replace(QLatin1Char('\\'), QLatin1Char('_'));
    name.replace(QChar(0), QLatin1Char('_'));
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String("..")) {
        name = QStringLiteral("_") + name;
    }
    return name;
}

QString CDropFileList::NumberedName(const QString& name, int number) {
    if (number <= 1) {
        return name;
    }
    const int dot = name.lastIndexOf(QLatin1Char('.'));
    const QString suffix = QStringLiteral(" (%1)").arg(number);
    if (dot <= 0) {
        return name + suffix;
    }
    return name.left(dot) + suffix + name.mid(dot);
}

QString CDropFileList::Add(const QString& deviceName) {
    if (!IsValid()) {
        return {};
    }
    const QString safe = SafeName(deviceName);
    QString name = safe;
    // Compared without case: the drop may land on a file system that does not tell them apart.
    for (int number = 2; m_taken.contains(name.toCaseFolded()); ++number) {
        name = NumberedName(safe, number);
    }
    m_taken.insert(name.toCaseFolded());
    const QString path = m_folder + QLatin1Char('/') + name;
    m_paths.append(path);
    return path;
}
