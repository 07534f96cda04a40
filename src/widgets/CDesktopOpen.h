#pragma once

#include <functional>

#include <QCoreApplication>
#include <QString>

class QUrl;

// Hands files, folders and web pages to the programs the desktop opens them with. When none can be
// started the user is told what could not be opened, instead of nothing happening.
class CDesktopOpen {
    Q_DECLARE_TR_FUNCTIONS(CDesktopOpen)

public:
    using Opener = std::function<bool(const QUrl&)>;

    // False, after telling the user, when no program could be started for `url`.
    static bool Open(const QUrl& url);
    static bool OpenFolder(const QString& folder);
    // The end of a successful export into the file `path`: names it and offers to open its folder.
    static void ConfirmFileExport(const QString& path);
    // The same for an export of files into the folder `folder`.
    static void ConfirmFolderExport(const QString& folder);

    // Replaces the desktop's opener, for tests; an empty one puts the desktop's back.
    static void SetOpenerForTesting(Opener opener);
};
