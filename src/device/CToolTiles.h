#pragma once

#include <QCoreApplication>
#include <QString>

class QContactsView;
class QWidget;

// What the tiles of the tools window do, one row each in a table in the .cpp. A tile that works on a
// device tells the user to connect one when none is plugged in. GUI thread only.
class CToolTiles {
    Q_DECLARE_TR_FUNCTIONS(CToolTiles)

public:
    // `contacts` is the contacts view of the device the user works with, null without a device.
    // False for a name that is no tile.
    static bool Run(const QString& tileName, QWidget* parent, QContactsView* contacts);

    static QString NoDeviceText();
    // Converts local videos to MP4 into the program's export folder.
    static void ConvertVideos(QWidget* parent);
    // Copies local media files into every iTunes media folder; `musicFolder` empty: the user's music
    // folder.
    static void CopyToiTunes(QWidget* parent, const QString& musicFolder = QString());
};
