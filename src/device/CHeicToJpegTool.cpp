#include "CHeicToJpegTool.h"

#include <future>
#include <set>

#include <QCursor>
#include <QDir>
#include <QDirIterator>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QThread>

#include "QMessageDlg.h"
#include "QProgressDlg.h"
#include "QRecordExportDialog.h"
#include "WidgetColors.h"
#include "formats/JpegBatch.h"

namespace {

bool IsHeic(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    return suffix == QLatin1String("heic") || suffix == QLatin1String("heif");
}

std::filesystem::path FsPath(const QString& path) {
    return std::filesystem::path(QFile::encodeName(path).toStdString());
}

} // namespace

QStringList CHeicToJpegTool::Pictures(const QStringList& paths) {
    QStringList pictures;
    for (const QString& path : paths) {
        const QFileInfo info(path);
        if (!info.isDir()) {
            pictures << info.absoluteFilePath();
            continue;
        }
        QDirIterator it(info.absoluteFilePath(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString file = it.next();
            if (IsHeic(file))
                pictures << file;
        }
    }
    pictures.sort();
    pictures.removeDuplicates();
    return pictures;
}

QStringList CHeicToJpegTool::Targets(const QStringList& pictures, const QString& folder) {
    const QDir target(folder);
    std::set<QString> taken; // lower case: the names a case-blind file system would mix up
    QStringList targets;
    for (const QString& picture : pictures) {
        const QString base = QFileInfo(picture).completeBaseName();
        QString name = base + QStringLiteral(".jpg");
        for (int n = 2; taken.count(name.toLower()) || target.exists(name); ++n)
            name = QStringLiteral("%1 (%2).jpg").arg(base).arg(n);
        taken.insert(name.toLower());
        targets << target.filePath(name);
    }
    return targets;
}

QString CHeicToJpegTool::Summary(int converted, int skipped, const QString& folder) {
    QString text = tr("%n picture(s) were converted to JPEG in %1.", nullptr, converted)
                       .arg(QDir::toNativeSeparators(folder));
    if (skipped > 0)
        text += QLatin1Char('\n') + tr("%n picture(s) could not be read and were skipped.", nullptr, skipped);
    return text;
}

int CHeicToJpegTool::Convert(const QStringList& pictures, const QString& folder, QWidget* parent,
                             QStringList* skipped) {
    QHeicConvertAction action(pictures, Targets(pictures, folder));
    {
        QProgressDlg dialog(tr("HEIC to JPEG"), parent);
        action.Attach(&dialog);
        dialog.SetProxy(&action);
        dialog.exec();
        // The job ends (or stops at the next picture) and stops reporting before the dialog goes.
        action.Finish();
        action.DetachAll();
    }
    if (skipped)
        *skipped = action.Failed();
    return action.Converted();
}

void CHeicToJpegTool::Run(QWidget* parent) {
    // Pictures one by one or a whole folder: a small menu where the tile was pressed.
    QMenu choice(parent);
    choice.setStyleSheet(QString::fromLatin1(WidgetColors::kMenuStyleSheet));
    QAction* files = choice.addAction(tr("Choose Pictures..."));
    QAction* folder = choice.addAction(tr("Choose a Folder..."));
    QAction* picked = choice.exec(QCursor::pos());
    QStringList chosen;
    if (picked == files)
        chosen = QFileDialog::getOpenFileNames(parent, tr("HEIC to JPEG"), QString(),
                                               tr("HEIC Pictures(*.heic *.heif *.HEIC *.HEIF)"));
    else if (picked == folder)
        chosen << QFileDialog::getExistingDirectory(parent, tr("HEIC to JPEG"));
    chosen.removeAll(QString());
    if (chosen.isEmpty())
        return;
    const QStringList pictures = Pictures(chosen);
    if (pictures.isEmpty()) {
        ShowMessage(tr("There are no HEIC pictures there."));
        return;
    }
    const QString target = QFileDialog::getExistingDirectory(parent, tr("Save the JPEG pictures in"),
                                                             QRecordExportDialog::StartPath());
    if (target.isEmpty())
        return;
    QStringList skipped;
    const int converted = Convert(pictures, target, parent, &skipped);
    ShowMessage(Summary(converted, int(skipped.size()), target), QString(),
                converted == 0 && !skipped.isEmpty() ? quint32(MSG_ERROR) : 0u);
}

QHeicConvertAction::QHeicConvertAction(QStringList pictures, QStringList targets, QObject* parent)
    : QBaseAction(parent)
    , m_pictures(std::move(pictures))
    , m_targets(std::move(targets)) {}

QHeicConvertAction::~QHeicConvertAction() {
    m_cancel = true;
    StopAndWait();
}

void QHeicConvertAction::Finish() {
    m_cancel = true;
    StopAndWait();
}

bool QHeicConvertAction::OnCancel() {
    m_cancel = true;
    return true;
}

void QHeicConvertAction::Run() {
    QThread::currentThread()->setObjectName(QStringLiteral("HeicConvert"));
    const int total = int(m_pictures.size());
    std::vector<vexa::formats::JpegBatch::Job> jobs;
    for (int i = 0; i < total; ++i)
        jobs.push_back({FsPath(m_pictures[i]), FsPath(m_targets[i])});
    std::atomic<int> done{0};
    auto batch =
        std::async(std::launch::async, [&] { return vexa::formats::JpegBatch::Run(jobs, &done, &m_cancel); });
    // The workers count; this thread tells the dialog, a few times a second.
    int reported = -1;
    while (batch.wait_for(std::chrono::milliseconds(100)) != std::future_status::ready) {
        if (const int now = done.load(); now != reported) {
            reported = now;
            NotifyProgress(now, total);
            NotifyMsg(tr("Converting %1 of %2").arg(now).arg(total).toUtf8().constData());
        }
    }
    const std::vector<bool> converted = batch.get();
    for (int i = 0; i < total; ++i) {
        if (converted[size_t(i)])
            ++m_converted;
        else if (!m_cancel)
            m_failed << m_pictures[i];
    }
    NotifyProgress(total, total);
    NotifyEnd();
}
