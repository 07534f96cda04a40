// The user's iTunes library file, as any version of the program, a sync tool or a hand edit may leave
// it. Whatever it holds, the lookup of the media folder must name only existing "iTunes" folders.
#include <QDir>
#include <QFileInfo>

#include "CiTunesMediaFolder.h"
#include "FuzzRegistry.h"

namespace {

struct MusicFolders {
    MusicFolders() {
        const QString root = QString::fromStdString((fuzz::Scratch() / "itunes").string());
        music = root + QStringLiteral("/Music");
        this->root = root.toUtf8();
        // A media folder the seeds point at, with one subfolder that matches and one that does not.
        QDir().mkpath(root + QStringLiteral("/Media Folder/iTunes Music"));
        QDir().mkpath(root + QStringLiteral("/Media Folder/Podcasts"));
        QDir().mkpath(music + QStringLiteral("/iTunes"));
    }
    QString music;
    QByteArray root;
};

} // namespace

VEXA_FUZZ_TARGET(itunes_library) {
    static const MusicFolders folders;
    const CiTunesMediaFolder lookup(folders.music);
    // "@ROOT@" in an input stands for the scratch folder, so seeds can name the media folder made above.
    QByteArray document(reinterpret_cast<const char*>(data), qsizetype(size));
    document.replace("@ROOT@", folders.root);
    fuzz::WriteFile(lookup.LibraryFile().toStdString(), document.toStdString());
    for (const QString& folder : lookup.Folders()) {
        const QFileInfo info(folder);
        if (!info.isDir() || !info.fileName().contains(QLatin1String("iTunes")))
            fuzz::Fail("the lookup named something that is not an iTunes media folder");
    }
    CiTunesMediaFolder::DecodeFolderUrl(CiTunesMediaFolder::MusicFolderUrl(document));
    return 0;
}
