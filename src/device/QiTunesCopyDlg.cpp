#include "QiTunesCopyDlg.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>

#include "QImageProgressBar.h"

namespace {
constexpr int kTickMs = 100;
}

QiTunesCopyDlg::QiTunesCopyDlg(const QStringList& files, const QStringList& folders, QWidget* parent)
    : QWorkProgressDlg(kTickMs, parent)
    , m_files(files)
    , m_folders(folders) {
    setObjectName(QStringLiteral("QiTunesCopyDlg"));
    TitleLabel()->setText(tr("Copying to iTunes"));
    ProgressBar()->SetRange(0, qMax(1, int(m_files.size() * m_folders.size())));
}

QiTunesCopyDlg::~QiTunesCopyDlg() {
    StopAndWait();
}

QString QiTunesCopyDlg::FreeTarget(const QString& folder, const QString& file) {
    const QFileInfo source(file);
    const QDir dir(folder);
    QString target = dir.filePath(source.fileName());
    const QString suffix = source.suffix().isEmpty() ? QString() : QLatin1Char('.') + source.suffix();
    for (int copy = 2; QFileInfo::exists(target); ++copy)
        target =
            dir.filePath(QStringLiteral("%1 (%2)%3").arg(source.completeBaseName()).arg(copy).arg(suffix));
    return target;
}

void QiTunesCopyDlg::Work() {
    for (const QString& folder : m_folders) {
        for (const QString& file : m_files) {
            {
                std::lock_guard lock(m_mutex);
                m_currentName = QFileInfo(file).fileName();
            }
            const QString target = FreeTarget(folder, file);
            const bool copied = QFile::copy(file, target);
            {
                std::lock_guard lock(m_mutex);
                (copied ? m_copies : m_failures).append(copied ? target : file);
            }
            ++m_done;
        }
    }
}

void QiTunesCopyDlg::UpdateProgress() {
    QString name;
    {
        std::lock_guard lock(m_mutex);
        name = m_currentName;
    }
    const int total = int(m_files.size() * m_folders.size());
    Label()->setText(tr("Copying %1 of %2: %3").arg(qMin(m_done.load() + 1, total)).arg(total).arg(name));
    ProgressBar()->SetValue(m_done.load());
}
