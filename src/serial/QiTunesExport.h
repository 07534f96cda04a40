#pragma once

#include <QCoreApplication>
#include <QString>

class ISerialable;
class IVexaManager;
class QObject;

// "To iTunes": the checked records' files are copied into every iTunes media folder of the computer
// with the file export. GUI thread only.
class QiTunesExport {
    Q_DECLARE_TR_FUNCTIONS(QiTunesExport)

public:
    // Returns the number of folders exported into; 0 after telling the user that no folder was found.
    // `owner` is the view the records belong to: once it is gone (its device left during an export)
    // the remaining folders are skipped. `musicFolder` empty: the standard music location.
    static int Run(QObject* owner, ISerialable* source, IVexaManager* manager, int kind,
                   const QString& musicFolder = QString());
};
