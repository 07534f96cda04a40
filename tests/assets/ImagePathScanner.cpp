#include "ImagePathScanner.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>

QList<ImageReference> ImagePathScanner::ScanText(const QString& text, const QString& fileName) {
    static const QRegularExpression literal(QStringLiteral("\"([^\"\\n]*\\.(?:png|gif|jpg|bmp))\""),
                                            QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression folder(QStringLiteral("(?:^|/)((?:image|pic)/.+)$"));
    QList<ImageReference> found;
    auto it = literal.globalMatch(text);
    while (it.hasNext()) {
        const QRegularExpressionMatch match = it.next();
        QString path = match.captured(1);
        path.replace(QLatin1String("\\\\"), QLatin1String("/"));
        path.replace(QLatin1Char('\\'), QLatin1Char('/'));
        // Names assembled at run time ("%1.png") cannot be checked here.
        if (path.contains(QLatin1Char('%')) || path.contains(QLatin1Char('*')))
            continue;
        const QRegularExpressionMatch relative = folder.match(path);
        if (!relative.hasMatch())
            continue;
        const int line = text.left(match.capturedStart()).count(QLatin1Char('\n')) + 1;
        found.append({relative.captured(1), QStringLiteral("%1:%2").arg(fileName).arg(line)});
    }
    return found;
}

QList<ImageReference> ImagePathScanner::ScanTrees(const QString& root, const QStringList& folders) {
    QList<ImageReference> found;
    const QDir rootDir(root);
    for (const QString& folder : folders) {
        QDirIterator it(rootDir.filePath(folder), {QStringLiteral("*.cpp"), QStringLiteral("*.h")},
                        QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString file = it.next();
            QFile source(file);
            if (source.open(QIODevice::ReadOnly))
                found += ScanText(QString::fromUtf8(source.readAll()), rootDir.relativeFilePath(file));
        }
    }
    return found;
}
