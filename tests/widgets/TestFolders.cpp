#include "TestFolders.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPainter>

#include "LanguageService.h"
#include "TestFiles.h"

TestFolders::TestFolders()
    : m_oldConfigHome(qgetenv("XDG_CONFIG_HOME")) {
    qputenv("XDG_CONFIG_HOME", m_config.path().toLocal8Bit());
    SetAppDirPathForTesting(m_app.path());
}

TestFolders::~TestFolders() {
    SetAppDirPathForTesting(QString());
    qputenv("XDG_CONFIG_HOME", m_oldConfigHome);
}

QString TestFolders::InstalledLanguageFile() const {
    return AppDir() + QStringLiteral("/Language/language.xml");
}

QString TestFolders::UserLanguageFile() const {
    return ConfigDir() + QStringLiteral("/vexa-transfer/Language/language.xml");
}

void TestFolders::WriteInstalledLanguageFile(const QString& setting) {
    const QString xml =
        QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Language>\n"
                       "<Item Type=\"42\" Display=\"German\" Folder=\"German\" QMFile=\"vexa_de.qm\"/>\n"
                       "<Item Type=\"25\" Display=\"Chinese\" Folder=\"Chinese\" QMFile=\"vexa_zh.qm\"/>\n"
                       "<Item Type=\"31\" Display=\"English\" Folder=\"English\" QMFile=\"vexa_en.qm\"/>\n"
                       "%1\n</Language>\n")
            .arg(setting);
    WriteFile(InstalledLanguageFile(), xml.toUtf8());
    for (const char* folder : {"German", "Chinese", "English"}) {
        QDir().mkpath(AppDir() + QStringLiteral("/Language/") + QLatin1String(folder));
    }
}

void TestFolders::WriteImage(const QString& path, QSize size, const QList<QColor>& frames) {
    QImage image(size.width() * frames.size(), size.height(), QImage::Format_ARGB32);
    QPainter painter(&image);
    for (int i = 0; i < frames.size(); ++i) {
        painter.fillRect(QRect(QPoint(i * size.width(), 0), size), frames[i]);
    }
    painter.end();
    QDir().mkpath(QFileInfo(path).absolutePath());
    image.save(path);
}
