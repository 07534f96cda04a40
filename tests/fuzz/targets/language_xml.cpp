// The user's copy of language.xml, as a crash, a full disk or a hand edit may leave it. Whatever it
// holds, the program must settle on a language folder that exists.
#include <QDir>
#include <QFileInfo>

#include "FuzzRegistry.h"
#include "LanguageConfig.h"
#include "LanguageService.h"

namespace {

struct ProgramFolders {
    ProgramFolders() {
        const QString root = QString::fromStdString((fuzz::Scratch() / "language").string());
        appDir = root + QStringLiteral("/app");
        const QString config = root + QStringLiteral("/config");
        for (const char* language : {"English", "German", "Chinese"})
            QDir().mkpath(appDir + QStringLiteral("/Language/") + QLatin1String(language));
        fuzz::WriteFile(
            (appDir + QStringLiteral("/Language/language.xml")).toStdString(),
            std::string("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Language>\n"
                        "<Item Type=\"25\" Display=\"Chinese\" Folder=\"Chinese\" QMFile=\"z.qm\"/>\n"
                        "<Item Type=\"31\" Display=\"English\" Folder=\"English\" QMFile=\"e.qm\"/>\n"
                        "<Item Type=\"42\" Display=\"German\" Folder=\"German\" QMFile=\"d.qm\"/>\n"
                        "<Setting Type=\"31\"/>\n</Language>\n"));
        qputenv("XDG_CONFIG_HOME", config.toLocal8Bit());
        userFile = UserLanguageFilePath();
        QDir().mkpath(QFileInfo(userFile).absolutePath());
    }
    QString appDir;
    QString userFile;
};

} // namespace

VEXA_FUZZ_TARGET(language_xml) {
    static const ProgramFolders folders;
    fuzz::WriteFile(folders.userFile.toStdString(), data, size);
    SetAppDirPathForTesting(folders.appDir); // forgets the resource root worked out for the last input
    const LanguageConfig config;
    for (int i = 0; i <= config.Size(); ++i)
        config.Entry(config.CodeAt(i));
    if (!QFileInfo(ResourceRoot()).isDir())
        fuzz::Fail("the language folder in use does not exist");
    TranslationFilePath();
    return 0;
}
