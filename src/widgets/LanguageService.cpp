#include "LanguageService.h"

#include <memory>

#include <QCoreApplication>
#include <QDebug>
#include <QFileInfo>
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

} // namespace

bool SetLanguage(int code) {
    LanguageConfig config;
    if (!config.Save(code)) {
        return false;
    }
    LanguageState& s = state();
    s.current = code;
    s.resourceRootDirty = true;
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
