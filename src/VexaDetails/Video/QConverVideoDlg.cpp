#include "QConverVideoDlg.h"

#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "CConverterVideo.h"
#include "ConverterVideoAdapter.h"
#include "FormatSize.h"
#include "QImageProgressBar.h"
#include "QMessageDlg.h"
#include "QProUtil.h"
#include "WidgetColors.h"
#include "mediacore/MediaCore.h"

namespace {

// An MP4 goes to the device as it is, so it must really hold a picture the device can play.
bool IsPlayableVideo(const QString& path) {
    MediaInfo* info = Info_Create(3);
    const bool video =
        info && Info_Open(info, path.toUtf8().constData()) == MEDIACORE_OK && Info_GetVideoWidth(info) > 0;
    Info_Release(info);
    return video;
}

} // namespace

QConverVideoDlg::QConverVideoDlg(const QStringList& files, const QString& workFolder, QWidget* parent)
    : QImageDialog(parent)
    , m_adapter(new ConverterVideoAdapter(this))
    , m_labelTitle(new QLabel(this))
    , m_labelText(new QLabel(this))
    , m_labelTime(new QLabel(this))
    , m_progressBar(new QImageProgressBar(this))
    , m_btnCancel(new QPushButton(this)) {
    setObjectName(QStringLiteral("QConverVideoDlg"));
    setModal(true);
    setMinimumSize(480, 190);
    m_labelTitle->setObjectName(QStringLiteral("m_labelTitle"));
    m_labelTitle->setStyleSheet(
        QStringLiteral("font-weight:bold;font-size:14px;color:%1;").arg(WidgetColors::kTitleText.name()));
    for (QLabel* label : {m_labelText, m_labelTime}) {
        label->setStyleSheet(QStringLiteral("color:%1;").arg(WidgetColors::kText.name()));
        label->setTextFormat(Qt::PlainText);
    }
    m_labelText->setObjectName(QStringLiteral("m_labelText"));
    m_labelTime->setObjectName(QStringLiteral("m_labelCalculate"));
    m_progressBar->SetTextVisible(false);
    m_btnCancel->setObjectName(QStringLiteral("m_btnCancel"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(30, 20, 30, 20);
    layout->addWidget(m_labelTitle);
    layout->addStretch(1);
    layout->addWidget(m_labelText);
    layout->addWidget(m_labelTime);
    layout->addWidget(m_progressBar);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_btnCancel);
    layout->addLayout(buttons);

    for (const QString& file : files) {
        if (!QFileInfo(file).isFile()) {
            m_failures << file;
            continue;
        }
        if (IsMp4(file)) {
            if (IsPlayableVideo(file))
                m_entries.push_back({file, -1});
            else
                m_failures << file;
            continue;
        }
        m_entries.push_back({file, int(m_jobs.size())});
        m_jobs.push_back(std::make_unique<CConverterVideo>(file, DestinationFor(workFolder, file)));
        m_jobs.back()->SetCallback(m_adapter);
    }
    connect(m_adapter, &ConverterVideoAdapter::begin, this, &QConverVideoDlg::OnBegin, Qt::QueuedConnection);
    connect(m_adapter, &ConverterVideoAdapter::end, this, &QConverVideoDlg::OnEnd, Qt::QueuedConnection);
    connect(m_adapter, &ConverterVideoAdapter::progress, this, &QConverVideoDlg::OnProgress,
            Qt::QueuedConnection);
    connect(m_adapter, &ConverterVideoAdapter::msg, this, &QConverVideoDlg::OnMsg, Qt::QueuedConnection);
    connect(m_adapter, &ConverterVideoAdapter::error, this, &QConverVideoDlg::OnError, Qt::QueuedConnection);
    connect(m_btnCancel, &QPushButton::clicked, this, &QConverVideoDlg::OnBtnCancel);
    auto* clock = new QTimer(this);
    clock->setInterval(1000);
    connect(clock, &QTimer::timeout, this, &QConverVideoDlg::OnTimer);
    clock->start();
    connect(QProUtil::instance(), &QProUtil::languageChanged, this, &QConverVideoDlg::OnLanguageChanged);
    OnLanguageChanged();
}

QConverVideoDlg::~QConverVideoDlg() = default;

int QConverVideoDlg::exec() {
    if (m_jobs.empty())
        return kSucceeded;
    QTimer::singleShot(0, this, [this] { StartJob(0); });
    return QImageDialog::exec();
}

QStringList QConverVideoDlg::Outputs() const {
    QStringList outputs;
    for (const Entry& entry : m_entries) {
        if (entry.job < 0)
            outputs << entry.source;
        else if (m_finished.contains(m_jobs[size_t(entry.job)]->Destination()))
            outputs << m_jobs[size_t(entry.job)]->Destination();
    }
    return outputs;
}

QString QConverVideoDlg::DestinationFor(const QString& workFolder, const QString& source) {
    const QString name = QFileInfo(source).completeBaseName().replace(QLatin1Char('.'), QLatin1Char('_'));
    return QStringLiteral("%1/%2.%3").arg(workFolder, name, QStringLiteral("mp4"));
}

bool QConverVideoDlg::IsMp4(const QString& path) {
    return QFileInfo(path).suffix().toLower() == QLatin1String("mp4");
}

QString QConverVideoDlg::TimeText(qint64 milliseconds) {
    const qint64 seconds = qMax<qint64>(0, milliseconds) / 1000;
    const auto two = [](qint64 value) { return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0')); };
    if (seconds >= 3600)
        return QStringLiteral("%1:%2:%3").arg(two(seconds / 3600), two(seconds / 60 % 60), two(seconds % 60));
    if (seconds >= 60)
        return QStringLiteral("%1:%2").arg(two(seconds / 60), two(seconds % 60));
    return QStringLiteral("%1s").arg(seconds);
}

void QConverVideoDlg::StartJob(int index) {
    if (index >= int(m_jobs.size())) {
        m_ending = true;
        done(kSucceeded);
        return;
    }
    m_jobIndex = index;
    m_current = 0;
    m_total = 0;
    m_jobClock.start();
    m_labelTime->setText(tr("Calculating...."));
    ShowProgress();
    m_jobs[size_t(index)]->Start();
}

void QConverVideoDlg::OnBegin() {
    ShowProgress();
}

void QConverVideoDlg::OnEnd() {
    if (m_ending || m_jobIndex < 0)
        return;
    const CConverterVideo& job = *m_jobs[size_t(m_jobIndex)];
    if (job.Outcome() == 1 && QFileInfo(job.Destination()).size() > 0)
        m_finished << job.Destination();
    else
        m_failures << job.Source();
    // A question about cancelling is open: the next job waits for its answer.
    if (m_asking) {
        m_nextPending = true;
        return;
    }
    StartJob(m_jobIndex + 1);
}

void QConverVideoDlg::OnProgress(quint64 current, quint64 total) {
    m_current = current;
    m_total = total;
    ShowProgress();
    OnTimer();
}

void QConverVideoDlg::OnMsg(const char* message) {
    qDebug() << "QConverVideoDlg" << message;
}

void QConverVideoDlg::OnError(const char* message) {
    qDebug() << "QConverVideoDlg error" << message;
}

void QConverVideoDlg::ShowProgress() {
    if (m_jobIndex < 0)
        return;
    const QFileInfo source(m_jobs[size_t(m_jobIndex)]->Source());
    const quint64 size = quint64(source.size());
    const quint64 converted =
        m_total > 0 ? quint64(double(size) * double(qMin(m_current, m_total)) / m_total) : 0;
    m_labelText->setText(QStringLiteral("%1(%2/%3):%4 (%5/%6)")
                             .arg(tr("Converting"))
                             .arg(m_jobIndex + 1)
                             .arg(m_jobs.size())
                             .arg(source.fileName(), FormatSize(converted), FormatSize(size)));
    m_progressBar->SetRange(0, qint64(qMax<quint64>(m_total, 1)));
    m_progressBar->SetValue(qint64(qMin(m_current, m_total)));
}

void QConverVideoDlg::OnTimer() {
    if (m_jobIndex < 0 || m_total == 0 || m_current == 0)
        return;
    const qint64 elapsed = m_jobClock.elapsed();
    const double fraction = qMin(1.0, double(m_current) / double(m_total));
    const qint64 remaining = qint64(double(elapsed) * (1.0 - fraction) / fraction);
    m_labelTime->setText(
        QStringLiteral("%1:%2%, %3:%4, %5:%6")
            .arg(tr("Progress"))
            .arg(int(fraction * 100))
            .arg(tr("Time remaining"), TimeText(remaining), tr("Total time"), TimeText(elapsed)));
}

void QConverVideoDlg::OnBtnCancel() {
    if (m_ending || m_asking || m_jobIndex < 0)
        return;
    const int paused = m_jobIndex;
    m_jobs[size_t(paused)]->Pause();
    m_asking = true;
    const QPointer<QConverVideoDlg> self(this);
    const int answer =
        ShowMessage(tr("Are you sure to cancel video transfer?"), QString(), MSG_WARNING | MSG_YESNO);
    if (!self)
        return;
    m_asking = false;
    m_jobs[size_t(paused)]->Resume();
    if (answer != MSG_RESULT_YES) {
        if (m_nextPending) {
            m_nextPending = false;
            StartJob(m_jobIndex + 1);
        }
        return;
    }
    m_ending = true;
    for (const auto& job : m_jobs)
        job->Stop();
    done(kCancelled);
}

void QConverVideoDlg::reject() {
    // Escape and the window's close button ask as Cancel does.
    OnBtnCancel();
}

void QConverVideoDlg::OnLanguageChanged() {
    setWindowTitle(tr("Converting"));
    m_labelTitle->setText(tr("Converting"));
    m_btnCancel->setText(tr("Cancel"));
    if (m_total == 0)
        m_labelTime->setText(tr("Calculating...."));
    ShowProgress();
}
