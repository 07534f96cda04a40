#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Finds the folders of the computer's iTunes media library from the current user's iTunes library file.
// The library file is only read. Every failure (no file, no XML, no "Music Folder" key, no matching
// subfolder) gives an empty result.
class CiTunesMediaFolder {
public:
    // `musicFolder` is where the user keeps music; empty means the platform's standard music location.
    explicit CiTunesMediaFolder(QString musicFolder = QString());

    // <music folder>/iTunes/iTunes Music Library.xml
    QString LibraryFile() const;
    // The absolute paths of the subfolders of the library's media folder whose names contain "iTunes",
    // in listing order; only the first one when `firstOnly`.
    QStringList Folders(bool firstOnly = false) const;

    // The "Music Folder" value of a library document, still URL-encoded; empty when the document is
    // not XML or has no such key followed by a value.
    static QString MusicFolderUrl(const QByteArray& document);
    // The local folder a "Music Folder" value names: %xx escapes decoded as UTF-8 bytes and the
    // "file://localhost" prefix taken off.
    static QString DecodeFolderUrl(const QString& url);

private:
    QString m_musicFolder;
};
