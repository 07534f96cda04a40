#include "AddItemDlg.h"

#include <atomic>

#include <QFileInfo>
#include <QLabel>

#include "QImageProgressBar.h"
#include "QProUtil.h"

namespace {
constexpr int kTickMs = 100;
}

AddItemDlg::AddItemDlg(int mode, const QStringList& files, int listPosition, QWidget* parent)
    : QWorkProgressDlg(kTickMs, parent)
    , m_mode(mode)
    , m_files(files)
    , m_listPosition(listPosition) {
    setObjectName(QStringLiteral("AddItemDlg"));
    ProgressBar()->SetRange(0, files.size());
    connect(QProUtil::instance(), &QProUtil::languageChanged, this, &AddItemDlg::OnLanguageChanged);
    OnLanguageChanged();
}

int AddItemDlg::Progress() const {
    return std::atomic_ref<int>(const_cast<int&>(m_progress)).load(std::memory_order_relaxed);
}

void AddItemDlg::Work() {
    if (m_routine)
        m_result = m_routine(m_files, &m_progress);
}

void AddItemDlg::UpdateProgress() {
    if (m_files.isEmpty())
        return;
    const int done = qBound(0, Progress(), int(m_files.size()));
    // The file being copied now; the last one once all are done.
    const int index = qMin(done, int(m_files.size()) - 1);
    Label()->setText(QStringLiteral("%1(%2/%3):%4")
                         .arg(tr("Copying"))
                         .arg(index + 1)
                         .arg(m_files.size())
                         .arg(QFileInfo(m_files.at(index)).fileName()));
    ProgressBar()->SetValue(done);
}

void AddItemDlg::OnLanguageChanged() {
    setWindowTitle(tr("Copying"));
    TitleLabel()->setText(tr("Copying"));
    UpdateProgress();
}
