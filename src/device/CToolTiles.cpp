#include "CToolTiles.h"

#include <algorithm>

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QPointer>

#include "CBackupToolLauncher.h"
#include "CContactsBackup.h"
#include "CHeicToJpegTool.h"
#include "CSingleDetectiPhone.h"
#include "CiTunesMediaFolder.h"
#include "QConverVideoDlg.h"
#include "QMessageDlg.h"
#include "QRecordExportDialog.h"
#include "QVideoView.h"
#include "QiTunesCopyDlg.h"

namespace {

enum class Needs {
    Nothing,
    Device,
    // The device the user works with, through its contacts page.
    DeviceContacts,
};

struct Tile {
    const char* name;
    Needs needs;
    void (*run)(QWidget* parent, QContactsView* contacts);
};

const Tile kTiles[] = {
    {"m_btnConvertVideo", Needs::Nothing,
     [](QWidget* parent, QContactsView*) { CToolTiles::ConvertVideos(parent); }},
    {"m_btnBackupContacts", Needs::DeviceContacts,
     [](QWidget* parent, QContactsView* contacts) { CContactsBackup::Run(contacts, parent); }},
    {"m_btnToolBackup", Needs::Device,
     [](QWidget* parent, QContactsView*) { CBackupToolLauncher::OpenBackup(parent); }},
    {"m_btnToolRestore", Needs::Device,
     [](QWidget* parent, QContactsView*) { CBackupToolLauncher::OpenRestore(parent); }},
    {"m_btnToolToDevice", Needs::Device,
     [](QWidget* parent, QContactsView*) { CBackupToolLauncher::OpenTransfer(parent); }},
    {"m_btnCopyToiTunes", Needs::Nothing,
     [](QWidget* parent, QContactsView*) { CToolTiles::CopyToiTunes(parent); }},
    {"m_btnHeicToJpeg", Needs::Nothing,
     [](QWidget* parent, QContactsView*) { CHeicToJpegTool::Run(parent); }},
};

QString FileNames(const QStringList& files) {
    QStringList names;
    for (const QString& file : files)
        names << QFileInfo(file).fileName();
    return names.join(QLatin1Char('\n'));
}

} // namespace

QString CToolTiles::NoDeviceText() {
    return tr("Please connect your iPhone, iPad or iPod first.");
}

bool CToolTiles::Run(const QString& tileName, QWidget* parent, QContactsView* contacts) {
    for (const Tile& tile : kTiles) {
        if (tileName != QLatin1String(tile.name))
            continue;
        const bool missing =
            (tile.needs == Needs::Device && CSingleDetectiPhone::Instance()->Managers().isEmpty()) ||
            (tile.needs == Needs::DeviceContacts && !contacts);
        if (missing)
            ShowMessage(NoDeviceText());
        else
            tile.run(parent, contacts);
        return true;
    }
    return false;
}

void CToolTiles::ConvertVideos(QWidget* parent) {
    const QStringList files =
        QFileDialog::getOpenFileNames(parent, tr("Convert Video"), QString(), QVideoView::FileFilter());
    if (files.isEmpty())
        return;
    const QString folder = QRecordExportDialog::StartPath();
    if (!QDir().mkpath(folder)) {
        ShowMessage(tr("Conversion failed! %1 could not be created.").arg(QDir::toNativeSeparators(folder)),
                    QString(), MSG_ERROR);
        return;
    }
    QStringList outputs;
    QStringList failures;
    {
        QConverVideoDlg dialog(files, folder, parent);
        if (dialog.exec() != QConverVideoDlg::kSucceeded)
            return;
        outputs = dialog.Outputs();
        failures = dialog.Failures();
    }
    if (!failures.isEmpty())
        ShowMessage(tr("These files are not videos or could not be converted:\n%1").arg(FileNames(failures)));
    // MP4 files pass through where they are; only the converted ones land in the folder.
    const QDir target(folder);
    const qsizetype converted = std::count_if(outputs.begin(), outputs.end(), [&](const QString& file) {
        return QFileInfo(file).absolutePath() == target.absolutePath();
    });
    if (converted > 0)
        ShowMessage(tr("%1 videos were converted to MP4 in %2.")
                        .arg(converted)
                        .arg(QDir::toNativeSeparators(folder)));
    else if (failures.isEmpty())
        ShowMessage(tr("The chosen videos are MP4 files already."));
}

void CToolTiles::CopyToiTunes(QWidget* parent, const QString& musicFolder) {
    const QStringList folders = CiTunesMediaFolder(musicFolder).Folders();
    if (folders.isEmpty()) {
        ShowMessage(tr("No iTunes media folder was found on this computer."));
        return;
    }
    const QString filter = tr("Media Files(*.mp3 *.m4a *.aac *.wav *.aif *.aiff *.mp4 *.m4v *.mov)") +
                           QStringLiteral(";;") + tr("All Files(*)");
    const QStringList files = QFileDialog::getOpenFileNames(parent, tr("Copy to iTunes"), QString(), filter);
    if (files.isEmpty())
        return;
    QStringList failures;
    qsizetype copies = 0;
    {
        QiTunesCopyDlg dialog(files, folders, parent);
        dialog.exec();
        failures = dialog.Failures();
        copies = dialog.Copies().size();
    }
    if (!failures.isEmpty())
        ShowMessage(tr("These files could not be copied:\n%1").arg(FileNames(failures)), QString(),
                    MSG_ERROR);
    if (copies > 0)
        ShowMessage(tr("%1 files were copied to %2.")
                        .arg(copies)
                        .arg(QDir::toNativeSeparators(folders.join(QStringLiteral(", ")))));
}
