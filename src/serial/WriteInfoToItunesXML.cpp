#include "WriteInfoToItunesXML.h"

#include "CiTunesMediaFolder.h"

WriteInfoToItunesXML::WriteInfoToItunesXML(QObject* parent, QString musicFolder)
    : QObject(parent)
    , m_musicFolder(std::move(musicFolder)) {}

QStringList WriteInfoToItunesXML::GetiTunesFolders() const {
    return CiTunesMediaFolder(m_musicFolder).Folders(true);
}
