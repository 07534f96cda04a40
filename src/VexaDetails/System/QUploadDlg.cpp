#include "QUploadDlg.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "CFileServiceLease.h"

QUploadDlg::QUploadDlg(int deviceHandle, const std::string& appId, std::vector<CDeviceUpload::Step> steps,
                       QWidget* parent)
    : QDialog(parent)
    , m_deviceHandle(deviceHandle)
    , m_appId(appId)
    , m_steps(std::move(steps))
    , m_label(new QLabel(this))
    , m_progress(new QProgressBar(this))
    , m_btnCancel(new QPushButton(this)) {
    setObjectName(QStringLiteral("QUploadDlg"));
    setWindowTitle(tr("Copy to Device"));
    setModal(true);
    m_label->setObjectName(QStringLiteral("m_label"));
    m_label->setText(tr("Copying files to the device..."));
    m_progress->setObjectName(QStringLiteral("m_progress"));
    m_progress->setRange(0, int(m_steps.size()));
    m_progress->setValue(0);
    m_btnCancel->setObjectName(QStringLiteral("m_btnCancel"));
    m_btnCancel->setText(tr("Cancel"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_label);
    layout->addWidget(m_progress);
    layout->addWidget(m_btnCancel, 0, Qt::AlignRight);
    resize(420, 130);
    connect(this, &QUploadDlg::progress, this, &QUploadDlg::OnProgress, Qt::QueuedConnection);
    connect(this, &QUploadDlg::uploadFinished, this, &QUploadDlg::OnFinished, Qt::QueuedConnection);
    connect(m_btnCancel, &QPushButton::clicked, this, [this] {
        m_cancelled = true;
        m_btnCancel->setEnabled(false);
        RequestStop();
    });
}

QUploadDlg::~QUploadDlg() {
    StopAndWait();
}

int QUploadDlg::RunModal() {
    if (m_steps.empty()) {
        return 0;
    }
    if (!Start()) {
        return int(m_steps.size());
    }
    exec();
    // A close through the window manager ends exec() early: the copy stops, and its count is kept.
    RequestStop();
    WaitForThread();
    return m_failed;
}

void QUploadDlg::Run() {
    const CFileServiceLease lease(m_deviceHandle, m_appId);
    const int failed = CDeviceUpload::Run(lease.Files(), m_steps, [this](size_t done, size_t total) {
        emit progress(int(done), int(total));
        return !IsStopRequested();
    });
    m_failed = failed;
    emit uploadFinished(failed);
}

void QUploadDlg::OnProgress(int done, int total) {
    m_progress->setMaximum(total);
    m_progress->setValue(done);
}

void QUploadDlg::OnFinished(int) {
    accept();
}
