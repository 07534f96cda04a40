// Renders the file system page (tree with table, icon list, an upload in progress) in English and
// German into PNG files, so its look can be checked by eye. Usage: system_screens <output folder>

#include <filesystem>
#include <fstream>

#include <QApplication>
#include <QProgressBar>
#include <QTest>

#include "CSystemFileChunk.h"
#include "LanguageService.h"
#include "QDragTableView.h"
#include "QOperatePanel.h"
#include "QSystemModel.h"
#include "QSystemSortModel.h"
#include "QSystemView.h"
#include "QUploadDlg.h"
#include "ScreensSession.h"

namespace fs = std::filesystem;

namespace {

const char* const kUdid = "00008101-0000000000517E55";
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

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ScreensSession session(argc, argv);
    vexa::sim::LargeDeviceSpec spec;
    spec.udid = kUdid;
    spec.name = "Screens Phone";
    if (!session.Generate(spec))
        return 1;
    AddSampleFiles(session.DeviceFolder(kUdid) / "Media");
    if (!session.Connect({kUdid}) || !session.Manager(kUdid))
        return 1;
    IVexaManager* manager = session.Manager(kUdid);
    const int handle = session.Handle(kUdid);

    for (const auto& language : kScreenLanguages) {
        SetLanguage(language.code);
        QSystemView view(manager, handle);
        view.resize(830, 650); // the page in a window of the default size
        view.show();
        view.Start();
        if (!QTest::qWaitFor([&] { return view.RootItem() != nullptr && !view.IsRunning(); }, 10000))
            return 1;
        view.ShowFolder(view.FindItem("/Downloads"));
        view.ShowFolder(view.FindItem("/Documents"));
        view.ContentTable()->selectRow(3);
        ScreensSession::Save(&view, session.Picture(QStringLiteral("system_table"), language.name));

        emit view.OperatePanel()->thumbOperate();
        ScreensSession::Save(&view, session.Picture(QStringLiteral("system_icons"), language.name));
        emit view.OperatePanel()->listOperate();

        QUploadDlg upload(handle, std::string(), std::vector<CDeviceUpload::Step>(5));
        upload.findChild<QProgressBar*>()->setValue(2);
        upload.show();
        ScreensSession::Save(&upload, session.Picture(QStringLiteral("system_upload"), language.name));
    }
    return 0;
}
