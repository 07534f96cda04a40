#include "LanguageConfig.h"

#include <QDebug>
#include <QDir>
#include <QDomDocument>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include "AppPaths.h"

namespace {

constexpr int kIndentation = 4;

bool readDocument(const QString& path, QDomDocument& document) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        qDebug() << "LanguageConfig can't open" << path << file.errorString();
        return false;
    }
    QString error;
    int line = 0;
    if (!document.setContent(&file, &error, &line)) {
        qDebug() << "LanguageConfig can't parse" << path << "line" << line << error;
        return false;
    }
    return true;
}

// A code is a plain decimal number; anything else marks the element as unusable.
bool readCode(const QDomElement& element, int& code) {
    bool ok = false;
    code = element.attribute(QStringLiteral("Type")).trimmed().toInt(&ok, 10);
    return ok;
}

bool writeDocument(const QString& path, const QDomDocument& document) {
    if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
        qDebug() << "LanguageConfig::Save can't create the folder of" << path;
        return false;
    }
    // Written aside and renamed over the old copy, so a failed write never leaves half a file.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        qDebug() << "LanguageConfig::Save can't open" << path << file.errorString();
        return false;
    }
    // A full disk ends a write short without an error, and a buffered QSaveFile then commits the stub;
    // unbuffered, the short count shows here.
    const QByteArray content = document.toByteArray(kIndentation);
    if (file.write(content) != content.size()) {
        qDebug() << "LanguageConfig::Save can't write" << path << file.errorString();
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        qDebug() << "LanguageConfig::Save can't write" << path << file.errorString();
        return false;
    }
    return true;
}

// A language folder is one plain name inside Language/; anything else could point out of it.
bool isFolderName(const QString& folder) {
    return !folder.isEmpty() && folder != QLatin1String(".") && folder != QLatin1String("..") &&
           !folder.contains(QLatin1Char('/')) && !folder.contains(QLatin1Char('\\'));
}

} // namespace

LanguageConfig::LanguageConfig() {
    Load(LanguageFilePath());
}

LanguageConfig::LanguageConfig(const QString& path) {
    Load(path);
}

bool LanguageConfig::NamesUsableLanguage(const QString& path) {
    const LanguageConfig config(path);
    const QString folder = config.Entry(config.Current()).Folder;
    return config.Contains(config.Current()) &&
           QFileInfo(QStringLiteral("%1/Language/%2").arg(AppDirPath(), folder)).isDir();
}

void LanguageConfig::Load(const QString& path) {
    if (!QFileInfo::exists(path)) {
        return;
    }
    QDomDocument document;
    if (!readDocument(path, document)) {
        return;
    }
    ReadItems(document);
    const QDomElement setting = document.documentElement().firstChildElement(QStringLiteral("Setting"));
    int code = kDefaultCode;
    if (!setting.isNull() && readCode(setting, code)) {
        m_current = code;
    }
}

void LanguageConfig::ReadItems(const QDomDocument& document) {
    const QDomNodeList items = document.elementsByTagName(QStringLiteral("Item"));
    for (int i = 0; i < items.size(); ++i) {
        const QDomElement item = items.at(i).toElement();
        int code = 0;
        if (!readCode(item, code)) {
            qDebug() << "LanguageConfig skips an Item without a numeric Type at line" << item.lineNumber();
            continue;
        }
        if (!isFolderName(item.attribute(QStringLiteral("Folder")))) {
            qDebug() << "LanguageConfig skips an Item without a usable Folder at line" << item.lineNumber();
            continue;
        }
        m_entries[code] =
            LanguageEntry{item.attribute(QStringLiteral("Display")), item.attribute(QStringLiteral("Folder")),
                          item.attribute(QStringLiteral("QMFile"))};
    }
}

int LanguageConfig::CodeAt(int index) const {
    if (index < 0 || index >= Size()) {
        return kDefaultCode;
    }
    return std::next(m_entries.begin(), index)->first;
}

LanguageEntry LanguageConfig::Entry(int code) const {
    const auto found = m_entries.find(code);
    return found == m_entries.end() ? LanguageEntry{} : found->second;
}

bool LanguageConfig::Save(int code) {
    const QString path = LanguageFilePath();
    if (!Contains(code) || !QFileInfo::exists(path)) {
        return false;
    }
    QDomDocument document;
    if (!readDocument(path, document)) {
        return false;
    }
    QDomElement root = document.documentElement();
    QDomElement setting = root.firstChildElement(QStringLiteral("Setting"));
    if (setting.isNull()) {
        setting = root.appendChild(document.createElement(QStringLiteral("Setting"))).toElement();
    }
    setting.setAttribute(QStringLiteral("Type"), code);
    if (!writeDocument(UserLanguageFilePath(), document)) {
        return false;
    }
    m_current = code;
    return true;
}

QString LanguageFilePath() {
    const QString user = UserLanguageFilePath();
    if (!QFileInfo::exists(user)) {
        return InstalledLanguageFilePath();
    }
    // A half-written or hand-damaged copy must not leave the program without images; the next save
    // replaces it.
    if (!LanguageConfig::NamesUsableLanguage(user)) {
        qWarning() << "Ignoring" << user << "as it names no usable language";
        return InstalledLanguageFilePath();
    }
    return user;
}
