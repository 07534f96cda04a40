#include "CiTunesMediaFolder.h"

#include <QDir>
#include <QDomDocument>
#include <QFile>
#include <QStandardPaths>

namespace {

const char* const kLibraryFile = "/iTunes/iTunes Music Library.xml";
const QLatin1String kLocalhostPrefix("file://localhost/");

int HexValue(QChar c) {
    if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
        return c.unicode() - '0';
    if (c >= QLatin1Char('a') && c <= QLatin1Char('f'))
        return c.unicode() - 'a' + 10;
    if (c >= QLatin1Char('A') && c <= QLatin1Char('F'))
        return c.unicode() - 'A' + 10;
    return -1;
}

// A Windows library names "C:/Users/..." after the prefix; anything else is a path from the root.
bool IsDrivePath(const QString& path) {
    return path.size() >= 2 && path.at(0).isLetter() && path.at(1) == QLatin1Char(':') &&
           (path.size() == 2 || path.at(2) == QLatin1Char('/') || path.at(2) == QLatin1Char('\\'));
}

} // namespace

CiTunesMediaFolder::CiTunesMediaFolder(QString musicFolder)
    : m_musicFolder(std::move(musicFolder)) {
    if (m_musicFolder.isEmpty())
        m_musicFolder = QStandardPaths::writableLocation(QStandardPaths::MusicLocation);
}

QString CiTunesMediaFolder::LibraryFile() const {
    return m_musicFolder + QLatin1String(kLibraryFile);
}

QString CiTunesMediaFolder::MusicFolderUrl(const QByteArray& document) {
    QDomDocument dom;
    if (!dom.setContent(document))
        return QString();
    // The top-level dictionary is the root's first child element; its entries are key and value
    // elements side by side.
    QDomElement entry = dom.documentElement().firstChildElement().firstChildElement();
    for (; !entry.isNull(); entry = entry.nextSiblingElement()) {
        if (entry.text() == QLatin1String("Music Folder"))
            return entry.nextSiblingElement().text();
    }
    return QString();
}

QString CiTunesMediaFolder::DecodeFolderUrl(const QString& url) {
    QByteArray bytes;
    const QByteArray source = url.toUtf8();
    for (qsizetype i = 0; i < source.size(); ++i) {
        if (source.at(i) == '%' && i + 2 < source.size() && HexValue(QChar(source.at(i + 1))) >= 0) {
            // Like a "%x" scan of the two characters: the hex digits it finds make the byte.
            const int high = HexValue(QChar(source.at(i + 1)));
            const int low = HexValue(QChar(source.at(i + 2)));
            bytes.append(char(low < 0 ? high : high * 16 + low));
            i += 2;
            continue;
        }
        bytes.append(source.at(i));
    }
    QString path = QString::fromUtf8(bytes);
    if (path.startsWith(kLocalhostPrefix)) {
        const QString rest = path.mid(kLocalhostPrefix.size());
        path = IsDrivePath(rest) ? rest : QLatin1Char('/') + rest;
    }
    return path;
}

QStringList CiTunesMediaFolder::Folders(bool firstOnly) const {
    QFile library(LibraryFile());
    if (!library.exists() || !library.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    const QString url = MusicFolderUrl(library.readAll());
    if (url.isEmpty())
        return {};
    const QDir mediaFolder(DecodeFolderUrl(url));
    QStringList folders;
    const QStringList names = mediaFolder.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Unsorted);
    for (const QString& name : names) {
        if (!name.contains(QLatin1String("iTunes"), Qt::CaseSensitive))
            continue;
        folders << mediaFolder.absoluteFilePath(name);
        if (firstOnly)
            break;
    }
    return folders;
}
