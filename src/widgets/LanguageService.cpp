#include "LanguageService.h"

#include <memory>

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QStandardPaths>
#include <QTranslator>

#include "LanguageConfig.h"
#include "QProUtil.h"

namespace {

struct LanguageState {
    int current = LanguageConfig::kDefaultCode;
    QString appDir;
    QString appDirOverride;
    QString resourceRoot;
    bool resourceRootDirty = true;
    QString workDir;
    std::unique_ptr<QTranslator> translator;
    std::unique_ptr<QTranslator> qtTranslator;
};

LanguageState& state() {
    static LanguageState languageState;
    return languageState;
}

void installTranslator(const QString& path) {
    LanguageState& s = state();
    if (s.translator) {
        QCoreApplication::removeTranslator(s.translator.get());
        s.translator.reset();
    }
    auto translator = std::make_unique<QTranslator>();
    if (path.isEmpty() || !translator->load(path)) {
        qDebug() << "SetLanguage can't load translation" << path;
        return;
    }
    QCoreApplication::installTranslator(translator.get());
    s.translator = std::move(translator);
}

// Qt's own texts (file dialogs, standard buttons, context menus of line edits) come from the
// translations Qt ships; English needs none.
QString QtTranslationName(int code) {
    switch (code) {
    case 25:
        return QStringLiteral("qtbase_zh_CN");
    case 42:
        return QStringLiteral("qtbase_de");
    default:
        return QString();
    }
}

void installQtTranslator(int code) {
    LanguageState& s = state();
    if (s.qtTranslator) {
        QCoreApplication::removeTranslator(s.qtTranslator.get());
        s.qtTranslator.reset();
    }
    const QString name = QtTranslationName(code);
    if (name.isEmpty())
        return;
    auto translator = std::make_unique<QTranslator>();
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (!translator->load(name, folder)) {
        qDebug() << "SetLanguage can't load Qt's translation" << name << "from" << folder;
        return;
    }
    QCoreApplication::installTranslator(translator.get());
    s.qtTranslator = std::move(translator);
}

} // namespace

bool SetLanguage(int code) {
    LanguageConfig config;
    if (!config.Save(code)) {
        return false;
    }
    LanguageState& s = state();
    s.current = code;
    s.resourceRootDirty = true;
    installQtTranslator(code);
    installTranslator(TranslationFilePath());
    emit QProUtil::instance()->languageChanged();
    return true;
}

int CurrentLanguage() {
    return state().current;
}

QString ResourceRoot() {
    LanguageState& s = state();
    if (!s.resourceRoot.isEmpty() && !s.resourceRootDirty) {
        return s.resourceRoot;
    }
    if (QFileInfo::exists(LanguageFilePath())) {
        const LanguageConfig config;
        s.resourceRoot =
            QStringLiteral("%1/Language/%2").arg(AppDirPath(), config.Entry(config.Current()).Folder);
    } else {
        s.resourceRoot = AppDirPath();
    }
    s.resourceRootDirty = false;
    return s.resourceRoot;
}

QString TranslationFilePath() {
    if (!QFileInfo::exists(LanguageFilePath())) {
        return QString();
    }
    const LanguageConfig config;
    return QStringLiteral("%1/%2").arg(ResourceRoot(), config.Entry(config.Current()).QMFile);
}

QString AppDirPath() {
    LanguageState& s = state();
    if (!s.appDirOverride.isEmpty()) {
        return s.appDirOverride;
    }
    if (s.appDir.isEmpty()) {
        s.appDir = QCoreApplication::applicationDirPath();
    }
    return s.appDir;
}

QString WorkDir() {
    LanguageState& s = state();
    if (s.workDir.isEmpty()) {
        const QString path =
            QStringLiteral("%1/%2").arg(QDir::tempPath(), QStringLiteral("Vexa Manager Backup"));
        if (!QDir().mkpath(path)) {
            qDebug() << "WorkDir can't create" << path;
            return path;
        }
        s.workDir = QFileInfo(path).canonicalFilePath();
    }
    return s.workDir;
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

QString InstalledLanguageFilePath() {
    return AppDirPath() + QStringLiteral("/Language/language.xml");
}

QString UserLanguageFilePath() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/vexa-transfer/Language/language.xml");
}

void SetAppDirPathForTesting(const QString& path) {
    LanguageState& s = state();
    s.appDirOverride = path;
    s.resourceRootDirty = true;
}

void RemoveTranslationsForTesting() {
    LanguageState& s = state();
    for (std::unique_ptr<QTranslator>* translator : {&s.translator, &s.qtTranslator}) {
        if (*translator)
            QCoreApplication::removeTranslator(translator->get());
        translator->reset();
    }
}
