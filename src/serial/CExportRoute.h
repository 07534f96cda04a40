#pragma once

#include <QString>

// What the export-to-computer button does for the details widget on show, known by its object name.
class CExportRoute {
public:
    enum class Kind {
        Nothing,
        PhotoBrowser, // the photo browser runs its own export
        RecordFile,   // checked records into one file through the save dialog
        FileFolder,   // the files the records point to, copied into a chosen folder
        FileBrowser,  // the file browser copies its highlighted entries into a chosen folder
    };

    // fileKind is the file exporter's kind (photos 0, videos/music/playlists 1, books 2, apps 3)
    // and only meaningful for FileFolder.
    static Kind For(const QString& objectName, int* fileKind = nullptr);
};
