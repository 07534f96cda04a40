#pragma once

#include <QCoreApplication>
#include <QStringList>

// Adds computer files to the device's media library. Runs on the add dialog's worker with a device
// manager of its own, so the device's removal meanwhile only makes the call fail.
class CMediaFileAdd {
    Q_DECLARE_TR_FUNCTIONS(CMediaFileAdd)

public:
    // Adds `files` to the library and, when `playlist` is above 0, to that playlist. `progress`
    // counts the files handled. Returns the library's code (1 no media database, 2 damaged one).
    static int Add(int deviceHandle, const QStringList& files, int playlist, int* progress);
    // What the user is told about a failed add.
    static QString FailureMessage(int code);
    // The suffixes of the files a drop may add as songs, lower case without the dot.
    static QStringList AudioSuffixes();
};
