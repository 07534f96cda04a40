#include "QWorkProgressDlg.h"

#include <QLabel>
#include <QVBoxLayout>

#include "LanguageService.h"
#include "QImageProgressBar.h"
#include "WidgetColors.h"

QWorkProgressDlg::QWorkProgressDlg(int intervalMs, QWidget* parent)
    : QImageDialog(parent)
    , m_labelTitle(new QLabel(this))
    , m_labelText(new QLabel(this))
    , m_progressBar(new QImageProgressBar(this)) {
    setModal(true);
    SetBackgroundImage(ResourceRoot() + QStringLiteral("/image/progress_bg.png"));
    setMinimumSize(450, 167);
    m_labelTitle->setObjectName(QStringLiteral("m_labelTitle"));
    m_labelTitle->setStyleSheet(
        QStringLiteral("font-weight:bold;font-size:14px;color:%1;").arg(WidgetColors::kTitleText.name()));
    m_labelText->setObjectName(QStringLiteral("m_label"));
    m_labelText->setStyleSheet(QStringLiteral("color:%1;").arg(WidgetColors::kText.name()));
    m_labelText->setTextFormat(Qt::PlainText);
    m_progressBar->setObjectName(QStringLiteral("m_progress"));
    m_progressBar->SetTextVisible(false);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(30, 24, 30, 30);
    layout->addWidget(m_labelTitle);
    layout->addStretch(1);
    layout->addWidget(m_labelText);
    layout->addWidget(m_progressBar);

    m_timer.setInterval(intervalMs);
    connect(this, &QWorkProgressDlg::launchTimer, &m_timer, qOverload<>(&QTimer::start));
    connect(&m_timer, &QTimer::timeout, this, &QWorkProgressDlg::UpdateProgress);
    connect(this, &QWorkProgressDlg::threadDone, this, &QWorkProgressDlg::OnThreadDone, Qt::QueuedConnection);
}

QWorkProgressDlg::~QWorkProgressDlg() {
    StopAndWait();
}

int QWorkProgressDlg::exec() {
    // The job starts once the dialog is up, so even a quick one is seen to happen.
    QTimer::singleShot(0, this, [this] {
        if (!Start())
            OnThreadDone();
    });
    return QImageDialog::exec();
}

void QWorkProgressDlg::reject() {
    if (m_ended)
        QImageDialog::reject();
}

void QWorkProgressDlg::Run() {
    emit launchTimer();
    Work();
    emit threadDone();
}

void QWorkProgressDlg::OnThreadDone() {
    m_timer.stop();
    WaitForThread();
    UpdateProgress();
    m_ended = true;
    accept();
}
