#include "AssetWriter.h"

#include <QDir>
#include <QFileInfo>

#include "AnimationPainter.h"
#include "BackgroundPainter.h"
#include "ButtonPainter.h"
#include "GifWriter.h"
#include "Phrasebook.h"
#include "PiecePainter.h"
#include "TextPainter.h"

AssetWriter::AssetWriter(QString languageDir)
    : m_languageDir(std::move(languageDir)) {}

bool AssetWriter::WriteLanguage(const LanguageFolder& language) {
    bool ok = true;
    for (const AssetSpec& spec : AssetCatalog::All())
        ok = WriteAsset(spec, language) && ok;
    return ok;
}

bool AssetWriter::WriteAsset(const AssetSpec& spec, const LanguageFolder& language) {
    const QString target = QDir(m_languageDir).filePath(language.folder + QLatin1Char('/') + spec.path);
    if (!QDir().mkpath(QFileInfo(target).absolutePath())) {
        m_errors.append(QStringLiteral("cannot create the folder of %1").arg(target));
        return false;
    }
    QString caption;
    QString detail;
    if (!Phrasebook::Translate(spec.caption, language.code, &caption) ||
        !Phrasebook::Translate(spec.detail, language.code, &detail)) {
        m_errors.append(QStringLiteral("%1: no %2 translation for the words of %3")
                            .arg(language.folder, language.code, spec.path));
        return false;
    }

    bool written = false;
    QString error;
    switch (spec.kind) {
    case AssetKind::Animation: {
        const Movie movie = AnimationPainter::Paint(spec);
        written = GifWriter::Write(target, movie.frames, movie.delayMs, spec.accent, &error);
        break;
    }
    case AssetKind::Button:
        written = ButtonPainter::Paint(spec, caption).save(target, "PNG");
        break;
    case AssetKind::Background:
        written = BackgroundPainter::Paint(spec, caption, detail).save(target, "PNG");
        break;
    case AssetKind::Icon:
    case AssetKind::FramePiece:
        written = (spec.caption.isEmpty() ? PiecePainter::Paint(spec)
                                          : BackgroundPainter::Paint(spec, caption, detail))
                      .save(target, "PNG");
        break;
    }
    QStringList warnings = TextPainter::TakeWarnings();
    warnings.removeDuplicates();
    for (const QString& warning : warnings)
        m_warnings.append(QStringLiteral("%1/%2: %3").arg(language.folder, spec.path, warning));
    if (!written)
        m_errors.append(error.isEmpty() ? QStringLiteral("cannot write %1").arg(target) : error);
    return written;
}
