// Not a test: renders the transfer dialog in the middle of a file export (each copy slowed down by
// the simulator) and at the end of one with failures, in English, German and Chinese, for a look by
// eye. Usage: fileexport_screens [output folder]

#include <atomic>
#include <filesystem>

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <vexa/vexa.h>

#include "CPhotoSerialDlg.h"
#include "CPhotoSerialThread.h"
#include "IBaseSerial.h"
#include "ISerialable.h"
#include "LanguageService.h"
#include "QFileFolderExport.h"
#include "QImageButton.h"
#include "QImageProgressBar.h"
#include "ScreensSession.h"
#include "sim/ContentServices.h"
#include "sim/FaultInjector.h"

namespace {

const char* const kUdid = "00008101-00000000SCREENS1";
std::atomic<int> g_handle{0};

int OnDevice(int mode, int handle) {
    if (mode == VEXA_DEVICE_ARRIVED)
        g_handle = handle;
    return 0;
}

class Songs : public ISerialable {
public:
    void Serialize(IBaseSerial* writer) override {
        writer->BeginItem("Songs", -1);
        for (int i = 0; i < 12; ++i) {
            writer->BeginItem("Item", -1);
            writer->WriteString("Title", QStringLiteral("Track %1").arg(i + 1).toUtf8().constData());
            // The last two were deleted on the device after the listing.
            writer->WriteString("Path",
                                i < 10 ? QStringLiteral("/Screens/song%1.mp3").arg(i).toUtf8().constData()
                                       : "/Screens/gone.mp3");
            writer->EndItem();
        }
        writer->EndItem();
    }
    void Deserialize(IBaseSerial*) override {}
};

} // namespace

int main(int argc, char** argv) {
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", home.filePath(QStringLiteral("config")).toLocal8Bit());
    qputenv("VEXA_SIM_ROOT", home.filePath(QStringLiteral("simulator")).toLocal8Bit());
    qputenv("VEXA_BACKEND", "sim");
    QApplication app(argc, argv);
    const QString output = ScreensOutput(argc, argv);
    QDir().mkpath(output);
    SetAppDirPathForTesting(QStringLiteral(VEXA_BIN_DIR));

    const std::filesystem::path root = home.filePath(QStringLiteral("simulator")).toStdString();
    std::filesystem::create_directories(root);
    vexa::sim::LargeDeviceSpec spec;
    spec.udid = kUdid;
    spec.name = "Screens Phone";
    if (vexa::sim::GenerateLargeDevice(root, spec) != 0 || IOSInitialize() != 0 || IOSListener(OnDevice) != 0)
        return 1;
    if (!QTest::qWaitFor([] { return g_handle != 0; }, 10000))
        return 1;
    IVexaManager* manager = GetVexaManager();
    if (manager->SetDeviceHandle(g_handle) != 0)
        return 1;
    IFileService* files = manager->GetFileService();
    files->MakeDirectory("/Screens");
    const QString upload = home.filePath(QStringLiteral("song.bin"));
    QFile data(upload);
    data.open(QIODevice::WriteOnly);
    data.write(QByteArray(100000, 'x'));
    data.close();
    for (int i = 0; i < 10; ++i) {
        const QString device = QStringLiteral("/Screens/song%1.mp3").arg(i);
        files->CopyFileToDevice(reinterpret_cast<const char16_t*>(upload.utf16()),
                                reinterpret_cast<const char16_t*>(device.utf16()));
    }
    vexa::sim::FaultSpec slow;
    slow.operation = "CopyFileToComputer";
    slow.delayMs = 250;
    vexa::sim::FaultInjector::Add(root / kUdid / "faults", slow);

    for (const auto& language : kScreenLanguages) {
        SetLanguage(language.code);
        const QString folder =
            home.filePath(QStringLiteral("Vexa Transfer Files/Music %1").arg(language.name));
        bool midCopy = false;
        QTimer watcher;
        QObject::connect(&watcher, &QTimer::timeout, [&] {
            for (QWidget* widget : QApplication::topLevelWidgets()) {
                auto* dialog = qobject_cast<CPhotoSerialDlg*>(widget);
                if (!dialog || !dialog->isVisible())
                    continue;
                if (!midCopy && dialog->Progress()->Value() >= 5) {
                    midCopy = true;
                    dialog->grab().save(
                        QStringLiteral("%1/fileexport_midcopy_%2.png").arg(output, language.name));
                }
                if (dialog->IsEnded()) {
                    dialog->grab().save(
                        QStringLiteral("%1/fileexport_failures_%2.png").arg(output, language.name));
                    dialog->CancelButton()->click();
                }
            }
        });
        watcher.start(20);
        Songs songs;
        QFileFolderExport::ExportTo(&songs, manager, kExportMedia, folder);
    }
    DeleteVexaManager(&manager);
    IOSListener(nullptr);
    return 0;
}
