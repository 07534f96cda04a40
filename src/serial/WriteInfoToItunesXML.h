#pragma once

#include <QObject>
#include <QStringList>

// The lookup of the iTunes media folder for the "To iTunes" actions: the first subfolder of the
// library's media folder whose name contains "iTunes", or nothing.
class WriteInfoToItunesXML : public QObject {
    Q_OBJECT
public:
    // `musicFolder` empty: the platform's standard music location.
    explicit WriteInfoToItunesXML(QObject* parent = nullptr, QString musicFolder = QString());

    QStringList GetiTunesFolders() const;

private:
    QString m_musicFolder;
};
