#include <cstdio>

#include <QCommandLineParser>
#include <QDir>
#include <QGuiApplication>

#include "AssetCatalog.h"
#include "AssetWriter.h"
#include "ContactSheet.h"

namespace {

void printAll(const QStringList& lines, const char* prefix) {
    for (const QString& line : lines)
        std::fprintf(stderr, "vexa-assetgen: %s%s\n", prefix, qPrintable(line));
}

void listCatalog() {
    for (const AssetSpec& spec : AssetCatalog::All()) {
        const QSize size = spec.FileSize();
        std::printf("%s\t%dx%d\n", qPrintable(spec.path), size.width(), size.height());
    }
}

} // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Draws the images of every language folder."));
    parser.addHelpOption();
    const QCommandLineOption outOption(
        QStringLiteral("out"), QStringLiteral("Language directory to draw into."), QStringLiteral("dir"));
    const QCommandLineOption sheetOption(
        QStringLiteral("sheet"), QStringLiteral("Also write a contact sheet per language into <dir>."),
        QStringLiteral("dir"));
    const QCommandLineOption listOption(QStringLiteral("list"),
                                        QStringLiteral("Print every image name and size."));
    parser.addOptions({outOption, sheetOption, listOption});
    parser.process(app);

    if (parser.isSet(listOption)) {
        listCatalog();
        return 0;
    }
    if (!parser.isSet(outOption)) {
        std::fprintf(stderr, "vexa-assetgen: --out <language dir> is required\n");
        return 2;
    }
    const QString languageDir = QDir(parser.value(outOption)).absolutePath();
    AssetWriter writer(languageDir);
    for (const LanguageFolder& language : AssetCatalog::Languages())
        writer.WriteLanguage(language);
    printAll(writer.Warnings(), "warning: ");
    printAll(writer.Errors(), "error: ");
    if (!writer.Errors().isEmpty())
        return 1;

    if (parser.isSet(sheetOption)) {
        for (const LanguageFolder& language : AssetCatalog::Languages()) {
            QString error;
            const QString target =
                QDir(parser.value(sheetOption)).filePath(language.code + QStringLiteral(".png"));
            if (!ContactSheet::Write(languageDir, language, target, &error)) {
                printAll({error}, "error: ");
                return 1;
            }
        }
    }
    return 0;
}
