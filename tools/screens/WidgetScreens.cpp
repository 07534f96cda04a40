// Renders the message dialog in every flag combination and language into PNG files, so its look can be
// checked by eye against the generated images. Usage: widgets_screens <output folder>
#include <QApplication>
#include <QDir>
#include <QPainter>
#include <QTemporaryDir>

#include "LanguageService.h"
#include "QMessageDlg.h"
#include "ScreensSession.h"

namespace {

struct Sample {
    quint32 flags;
    const char* title;
    const char* message;
};

const Sample kSamples[] = {
    {0x000, "", "The device name has been changed."},
    {0x012, "", "Please select the items you want to export first."},
    {0x022, "Backup", "The backup has been completed successfully."},
    {0x032, "", "Export failed! Please check that the target folder can be written and try again."},
    {0x100, "", "Do you want to delete the checked contacts from the device?"},
    {0x200, "", "The support libraries are installed. The program has to restart to use them."},
    {0x400, "Restore", "Restoring will replace the data on the device. Continue?"},
    {0x412, "", "The device is not connected any more. Do you want to wait for it?"},
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QString output = ScreensOutput(argc, argv);
    QDir().mkpath(output);
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    SetAppDirPathForTesting(QStringLiteral(VEXA_BIN_DIR));

    for (const auto& language : kScreenLanguages) {
        if (!SetLanguage(language.code)) {
            qWarning("can't switch to %s", language.name);
            return 1;
        }
        QList<QImage> shots;
        for (const Sample& sample : kSamples) {
            QMessageDlg dialog;
            dialog.SetMessage(QCoreApplication::translate("Samples", sample.message));
            if (*sample.title != '\0') {
                dialog.SetTitle(QString::fromUtf8(sample.title));
            }
            dialog.SetFlags(sample.flags);
            dialog.show();
            const QString file = QStringLiteral("%1/message_%2_0x%3.png")
                                     .arg(output, QLatin1String(language.name))
                                     .arg(sample.flags, 3, 16, QLatin1Char('0'));
            shots.append(dialog.grab().toImage());
            shots.last().save(file);
        }
        // One sheet per language on a grey ground, two columns, to compare the variants side by side.
        const int cellWidth = 440;
        int cellHeight = 0;
        for (const QImage& shot : shots) {
            cellHeight = std::max(cellHeight, shot.height() + 20);
        }
        QImage sheet(2 * cellWidth, ((shots.size() + 1) / 2) * cellHeight, QImage::Format_ARGB32);
        sheet.fill(QColor(200, 204, 208));
        QPainter painter(&sheet);
        for (int i = 0; i < shots.size(); ++i) {
            painter.drawImage((i % 2) * cellWidth + 10, (i / 2) * cellHeight + 10, shots[i]);
        }
        painter.end();
        sheet.save(QStringLiteral("%1/sheet_%2.png").arg(output, QLatin1String(language.name)));
    }
    // Without any image the dialog draws its own frame and text buttons.
    QTemporaryDir bare;
    SetAppDirPathForTesting(bare.path());
    QMessageDlg fallback;
    fallback.SetMessage(QStringLiteral("Drawn without images: the installation lacks its picture folder."));
    fallback.SetFlags(0x412);
    fallback.show();
    fallback.grab().save(QStringLiteral("%1/message_no_images_0x412.png").arg(output));
    return 0;
}
