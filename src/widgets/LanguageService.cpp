#include "LanguageService.h"

#include <memory>

#include <QCoreApplication>
#include <QDebug>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "LanguageConfig.h"
#include "QProUtil.h"

namespace {

struct LanguageState {
    int current = LanguageConfig::kDefaultCode;
    QString resourceRoot;
    // The program folder the root was found in; tests move it.
    QString resourceRootAppDir;
    bool resourceRootDirty = true;
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

// Dates and numbers that pages format through QLocale follow the program's language, not the desktop's:
// a German window shows German month names. English keeps the desktop's English variant when it has one.
void applyLocale(int code) {
    switch (code) {
    case 25:
        QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
        break;
    case 42:
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        break;
    default:
        QLocale::setDefault(QLocale::system().language() == QLocale::English
                                ? QLocale::system()
                                : QLocale(QLocale::English, QLocale::UnitedStates));
        break;
    }
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
    applyLocale(code);
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
    const QString appDir = AppDirPath();
    if (!s.resourceRoot.isEmpty() && !s.resourceRootDirty && s.resourceRootAppDir == appDir) {
        return s.resourceRoot;
    }
    if (QFileInfo::exists(LanguageFilePath())) {
        const LanguageConfig config;
        s.resourceRoot = QStringLiteral("%1/Language/%2").arg(appDir, config.Entry(config.Current()).Folder);
    } else {
        s.resourceRoot = appDir;
    }
    s.resourceRootAppDir = appDir;
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

void RemoveTranslationsForTesting() {
    LanguageState& s = state();
    for (std::unique_ptr<QTranslator>* translator : {&s.translator, &s.qtTranslator}) {
        if (*translator)
            QCoreApplication::removeTranslator(translator->get());
        translator->reset();
    }
}
