#pragma once

#include <QList>
#include <QString>
#include <QStringList>

struct ImageReference {
    QString path;  // relative to a language folder, with forward slashes: "image/btn_ok.png"
    QString where; // "src/app/Foo.cpp:12"
};

// Finds the image names the program's sources load: string literals that name a file under an
// "image" or "pic" folder, written with either kind of slash.
class ImagePathScanner {
public:
    static QList<ImageReference> ScanText(const QString& text, const QString& fileName);
    static QList<ImageReference> ScanTrees(const QString& root, const QStringList& folders);
};
