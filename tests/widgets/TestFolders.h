#pragma once

#include <QByteArray>
#include <QColor>
#include <QString>
#include <QTemporaryDir>

// A throw-away program folder and user configuration folder, so every test starts from known files.
class TestFolders {
public:
    TestFolders();
    ~TestFolders();

    QString AppDir() const { return m_app.path(); }
    QString ConfigDir() const { return m_config.path(); }
    QString InstalledLanguageFile() const;
    QString UserLanguageFile() const;

    // Writes the installed language.xml with the three shipped languages and `setting` (none when empty),
    // and creates their folders.
    void WriteInstalledLanguageFile(const QString& setting = QStringLiteral("<Setting Type=\"31\"/>"));
    // A one-colour PNG, or a horizontal strip of equal frames in the given colours.
    void WriteImage(const QString& path, QSize size, const QList<QColor>& frames);

private:
    QTemporaryDir m_app;
    QTemporaryDir m_config;
    QByteArray m_oldConfigHome;
};
