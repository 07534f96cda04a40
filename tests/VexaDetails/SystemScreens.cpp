// Renders the file system page (tree with table, icon list, an upload in progress) in English and
// German into PNG files, so its look can be checked by eye. Usage: system_screens <output folder>

#include <atomic>
#include <filesystem>
#include <fstream>

#include <QApplication>
#include <QDir>
#include <QProgressBar>
#include <QTemporaryDir>
#include <QTest>

#include <vexa/vexa.h>

#include "CSystemFileChunk.h"
#include "LanguageService.h"
#include "QDragTableView.h"
#include "QOperatePanel.h"
#include "QSystemModel.h"
#include "QSystemSortModel.h"
#include "QSystemView.h"
#include "QUploadDlg.h"
#include "sim/ContentServices.h"

namespace fs = std::filesystem;

namespace {

const char* const kUdid = "00008101-0000000000517E55";
std::atomic<int> g_handle{0};

int OnDevice(int mode, int handle) {
    if (mode == VEXA_DEVICE_ARRIVED)
        g_handle = handle;
    return 0;
}

void Write(const fs::path& path, size_t bytes) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << std::string(bytes, 'x');
}

void AddSampleFiles(const fs::path& media) {
    Write(media / "Documents" / "Reisebericht Ünterwegs.pdf", 1843200);
    Write(media / "Documents" / "notes.txt", 1024);
    Write(media / "Documents" / "budget 2026.xlsx", 48211);
    Write(media / "Documents" / "旅行计划.docx", 1025);
    Write(media / "Documents" / "Archive" / "old.zip", 3 * 1024 * 1024);
    Write(media / "Documents" / "Scans" / "scan-001.png", 731000);
    Write(media / "Documents" / "Voice Memo.m4a", 5242880 + 17);
    Write(media / "Documents" / "clip.mov", 92274688);
    fs::create_directories(media / "Downloads" / "Podcasts");
    fs::create_directories(media / "Recordings");
}

void Save(QWidget* widget, const QString& path) {
    QTest::qWait(80);
    if (!widget->grab().save(path))
        qWarning("can't save %s", qPrintable(path));
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QString output = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("screens");
    QDir().mkpath(output);
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", home.filePath(QStringLiteral("config")).toLocal8Bit());
    qputenv("VEXA_SIM_ROOT", home.filePath(QStringLiteral("simulator")).toLocal8Bit());
    qputenv("VEXA_BACKEND", "sim");
    SetAppDirPathForTesting(QStringLiteral(VEXA_BIN_DIR));
    const fs::path root = home.filePath(QStringLiteral("simulator")).toStdString();
    fs::create_directories(root);
    vexa::sim::LargeDeviceSpec spec;
    spec.udid = kUdid;
    spec.name = "Screens Phone";
    if (vexa::sim::GenerateLargeDevice(root, spec) != 0)
        return 1;
    AddSampleFiles(root / kUdid / "Media");
    IOSInitialize();
    IOSListener(OnDevice);
    if (!QTest::qWaitFor([] { return g_handle != 0; }, 10000))
        return 1;
    IVexaManager* manager = GetVexaManager();
    if (manager->SetDeviceHandle(g_handle) != 0)
        return 1;

    const struct {
        int code;
        const char* name;
    } languages[] = {{31, "en"}, {42, "de"}};
    for (const auto& language : languages) {
        SetLanguage(language.code);
        QSystemView view(manager, g_handle);
        view.resize(960, 520);
        view.show();
        view.Start();
        if (!QTest::qWaitFor([&] { return view.RootItem() != nullptr && !view.IsRunning(); }, 10000))
            return 1;
        view.ShowFolder(view.FindItem("/Downloads"));
        view.ShowFolder(view.FindItem("/Documents"));
        view.ContentTable()->selectRow(3);
        Save(&view, QStringLiteral("%1/system_table_%2.png").arg(output, language.name));

        emit view.OperatePanel()->thumbOperate();
        Save(&view, QStringLiteral("%1/system_icons_%2.png").arg(output, language.name));
        emit view.OperatePanel()->listOperate();

        QUploadDlg upload(g_handle, std::string(), std::vector<CDeviceUpload::Step>(5));
        upload.findChild<QProgressBar*>()->setValue(2);
        upload.show();
        Save(&upload, QStringLiteral("%1/system_upload_%2.png").arg(output, language.name));
    }
    DeleteVexaManager(&manager);
    IOSListener(nullptr);
    return 0;
}
