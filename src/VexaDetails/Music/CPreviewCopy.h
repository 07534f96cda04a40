#pragma once

#include <string>

#include <QString>

class IVexaManager;

// The local copy of a song that the preview plays: "VexaMusic.<extension>" in the preview folder under
// the system's temporary folder. Every preview replaces the previous copy.
class CPreviewCopy {
public:
    static QString Folder();
    // The local file for a song at `devicePath` (components separated by ":").
    static QString LocalPathFor(const std::string& devicePath);
    // Copies the song; returns the local path, or an empty text when the device did not give it.
    static QString Copy(IVexaManager* manager, const std::string& devicePath);
};
