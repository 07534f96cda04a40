#include "QTransferDeviceDlg.h"

#include <QComboBox>
#include <QDebug>
#include <QLabel>
#include <QMovie>

#include <vexa/IVexaManager.h>

#include "CDeviceLease.h"
#include "CDeviceTransfer.h"
#include "CImageCaption.h"
#include "CTransferDeviceInitThread.h"
#include "CTransferDeviceTransferThread.h"
#include "LanguageService.h"
#include "QImageButton.h"
#include "QImageProgressBar.h"
#include "QMessageDlg.h"
#include "QProUtil.h"

namespace {
const char* const kCaptionStyle = "color:rgb(110,167,180);font-weight:bold;font-size:14px;";
}

QTransferDeviceDlg::QTransferDeviceDlg(const IDeviceDirectory* directory, QWidget* parent)
    : QImageDialog(parent)
    , m_directory(directory)
    , m_lbTips(new QLabel(this))
    , m_progress(new QLabel(this))
    , m_lbSrcDevice(new QLabel(this))
    , m_lbDstDevice(new QLabel(this))
    , m_lbTargetNote(new QLabel(this))
    , m_edtSrcDevice(new QComboBox(this))
    , m_edtDstDevice(new QComboBox(this))
    , m_btnTransfer(new QImageButton(this))
    , m_btnSwap(new QImageButton(this))
    , m_btnClose(new QImageButton(this))
    , m_movie(new QMovie(this)) {
    setObjectName(QStringLiteral("QTransferDeviceDlg"));
    m_lbTips->setObjectName(QStringLiteral("m_lbTips"));
    m_edtSrcDevice->setObjectName(QStringLiteral("m_edtSrcDevice"));
    m_edtDstDevice->setObjectName(QStringLiteral("m_edtDstDevice"));
    m_btnTransfer->setObjectName(QStringLiteral("m_btnTransfer"));
    m_btnSwap->setObjectName(QStringLiteral("m_btnSwap"));
    m_btnClose->setObjectName(QStringLiteral("m_btnClose"));
    for (QLabel* label : {m_lbTips, m_lbSrcDevice, m_lbDstDevice})
        label->setStyleSheet(QLatin1String(kCaptionStyle));
    m_lbTips->setWordWrap(true);
    m_lbTargetNote->setObjectName(QStringLiteral("m_lbTargetNote"));
    m_lbTargetNote->setWordWrap(true);
    m_lbTargetNote->setStyleSheet(QStringLiteral("color:rgb(150,90,20);"));
    m_progress->setAlignment(Qt::AlignCenter);
    m_progress->setMovie(m_movie);
    for (int category = 0; category < CDeviceTransfer::CategoryCount; ++category) {
        auto* label = new QLabel(this);
        label->setStyleSheet(QStringLiteral("color:rgb(66,127,142);"));
        auto* bar = new QImageProgressBar(this);
        bar->SetTextVisible(true);
        bar->SetFormat(QStringLiteral("%p%"));
        m_categoryLabels << label;
        m_categoryBars << bar;
    }
    connect(m_btnTransfer, &QPushButton::clicked, this, &QTransferDeviceDlg::OnBtnTransfer);
    connect(m_btnSwap, &QPushButton::clicked, this, &QTransferDeviceDlg::OnBtnSwap);
    connect(m_btnClose, &QPushButton::clicked, this, &QTransferDeviceDlg::OnBtnClose);
    for (QComboBox* combo : {m_edtSrcDevice, m_edtDstDevice})
        connect(combo, &QComboBox::currentIndexChanged, this, &QTransferDeviceDlg::UpdateChoice);
    connect(QProUtil::instance(), &QProUtil::languageChanged, this, &QTransferDeviceDlg::OnLanguageChanged);
    OnLanguageChanged();
    m_movie->start();
    SetLayout(Layout::Waiting);
}

QTransferDeviceDlg::~QTransferDeviceDlg() {
    // The threads delete themselves; one still running is stopped and waited for, since it reports here.
    if (m_transferThread) {
        m_transferThread->Stop();
        m_transferThread->wait();
    }
    if (m_initThread)
        m_initThread->wait();
}

QString QTransferDeviceDlg::TipsText() const {
    return m_lbTips->text();
}

QString QTransferDeviceDlg::TargetNoteText() const {
    return m_lbTargetNote->text();
}

void QTransferDeviceDlg::SetLayout(Layout layout) {
    m_layout = layout;
    const bool choosing = layout == Layout::Choosing;
    for (QWidget* widget :
         std::initializer_list<QWidget*>{m_btnClose, m_lbSrcDevice, m_lbDstDevice, m_edtSrcDevice,
                                         m_edtDstDevice, m_btnTransfer, m_btnSwap})
        widget->setVisible(choosing);
    m_lbTargetNote->setVisible(choosing && !m_lbTargetNote->text().isEmpty());
    m_lbTips->setVisible(!choosing);
    m_progress->setVisible(!choosing);
    for (int i = 0; i < m_categoryLabels.size(); ++i) {
        m_categoryLabels[i]->setVisible(layout == Layout::Working);
        m_categoryBars[i]->setVisible(layout == Layout::Working);
    }
    if (layout == Layout::Waiting)
        m_lbTips->setText(tr("Checking the connected devices, please wait..."));
}

void QTransferDeviceDlg::showEvent(QShowEvent* event) {
    QImageDialog::showEvent(event);
    if (m_initStarted)
        return;
    m_initStarted = true;
    ++m_initStarts;
    auto* thread = new CTransferDeviceInitThread(m_directory);
    m_initThread = thread;
    connect(thread, &CTransferDeviceInitThread::sucesses, this, &QTransferDeviceDlg::OnSucessesInit);
    connect(thread, &QThread::finished, thread, &QObject::deleteLater);
    thread->start(QThread::InheritPriority);
}

void QTransferDeviceDlg::OnSucessesInit(DeviceInfo* list, int count) {
    SetLayout(Layout::Choosing);
    if (m_initThread)
        m_devices = m_initThread->Devices();
    m_edtSrcDevice->clear();
    m_edtDstDevice->clear();
    if (!list || count <= 0)
        return;
    for (int i = 0; i < count && i < m_devices.size(); ++i) {
        const char* name = list[i].properties[DP_DeviceName];
        QString text = name ? QString::fromUtf8(name) : m_devices[i].name;
        const QVariant identifier = QVariant::fromValue(quintptr(m_devices[i].record));
        // A backup is read from, never written to.
        if (m_devices[i].backup) {
            m_edtSrcDevice->addItem(tr("%1 (backup)").arg(text), identifier);
            continue;
        }
        m_edtSrcDevice->addItem(text, identifier);
        m_edtDstDevice->addItem(text, identifier);
    }
    // Two devices: offer the second as the target, so one press does the common case.
    if (m_edtDstDevice->count() > 1)
        m_edtDstDevice->setCurrentIndex(1);
    UpdateChoice();
}

void QTransferDeviceDlg::UpdateChoice() {
    const CConnectedDevice* target = DeviceOf(m_edtDstDevice->currentData().value<quintptr>());
    const int readOnly = target ? CDeviceTransfer::ReadOnlyCategories(target->manager) : 0;
    m_lbTargetNote->setText(CDeviceTransfer::TargetNote(readOnly, m_edtDstDevice->currentText()));
    m_lbTargetNote->setVisible(m_layout == Layout::Choosing && !m_lbTargetNote->text().isEmpty());
    m_btnTransfer->setEnabled(readOnly != (1 << CDeviceTransfer::CategoryCount) - 1);
    // A backup can only be the source; swapping would make it the target.
    const CConnectedDevice* source = DeviceOf(m_edtSrcDevice->currentData().value<quintptr>());
    m_btnSwap->setEnabled(!source || !source->backup);
}

const CConnectedDevice* QTransferDeviceDlg::DeviceOf(quintptr identifier) const {
    for (const CConnectedDevice& device : m_devices) {
        if (quintptr(device.record) == identifier)
            return &device;
    }
    return nullptr;
}

void QTransferDeviceDlg::OnBtnSwap() {
    const QVariant source = m_edtSrcDevice->currentData();
    const int target = m_edtDstDevice->findData(source);
    if (target < 0)
        return;
    m_edtSrcDevice->setCurrentIndex(m_edtSrcDevice->findData(m_edtDstDevice->currentData()));
    m_edtDstDevice->setCurrentIndex(target);
}

void QTransferDeviceDlg::OnBtnTransfer() {
    if (m_edtSrcDevice->currentIndex() < 0 || m_edtDstDevice->currentIndex() < 0) {
        ShowMessage(tr("Please choose source or target devices first!"));
        return;
    }
    const quintptr source = m_edtSrcDevice->currentData().value<quintptr>();
    const quintptr target = m_edtDstDevice->currentData().value<quintptr>();
    if (source == target) {
        ShowMessage(tr("Please choose two different devices!"), QString(), MSG_WARNING);
        return;
    }
    const CConnectedDevice* from = DeviceOf(source);
    const CConnectedDevice* to = DeviceOf(target);
    if (to && CDeviceTransfer::ReadOnlyCategories(to->manager) == (1 << CDeviceTransfer::CategoryCount) - 1) {
        ShowMessage(TargetNoteText(), QString(), MSG_WARNING);
        return;
    }
    auto sourceLease = from && m_directory ? CDeviceLease::Take(*m_directory, from->manager) : nullptr;
    auto targetLease = to && m_directory ? CDeviceLease::Take(*m_directory, to->manager) : nullptr;
    if (!sourceLease || !targetLease) {
        ShowMessage(tr("The device is no longer connected. Please connect it and try again."), QString(),
                    MSG_ERROR);
        return;
    }
    m_lbTips->setText(tr("Transferring information from device '%1' to device '%2'...")
                          .arg(m_edtSrcDevice->currentText(), m_edtDstDevice->currentText()));
    m_resultText.clear();
    for (QImageProgressBar* bar : m_categoryBars) {
        bar->SetRange(0, 1);
        bar->SetValue(0);
    }
    SetLayout(Layout::Working);
    auto* thread = new CTransferDeviceTransferThread(source, target);
    m_transferThread = thread;
    thread->SetDevices(from->manager, to->manager, from->name, to->name, std::move(sourceLease),
                       std::move(targetLease));
    connect(thread, &CTransferDeviceTransferThread::emitProgress, this,
            &QTransferDeviceDlg::OnTransferProgress);
    connect(thread, &CTransferDeviceTransferThread::emitResult, this, &QTransferDeviceDlg::OnTransferResult);
    connect(thread, &CTransferDeviceTransferThread::sucesses, this, &QWidget::close);
    connect(thread, &QThread::finished, thread, &QObject::deleteLater);
    thread->start(QThread::InheritPriority);
}

void QTransferDeviceDlg::OnTransferProgress(int category, int done, int total) {
    if (category < 0 || category >= m_categoryBars.size())
        return;
    m_categoryBars[category]->SetRange(0, std::max(total, 1));
    m_categoryBars[category]->SetValue(total > 0 ? done : 1);
}

void QTransferDeviceDlg::OnTransferResult(int result, int passedOver, const QString& summary) {
    if (result == VEXA_OK)
        m_resultText = summary;
    else if (result == VEXA_E_UNPLUGGED)
        m_resultText =
            tr("The transfer failed because a device was disconnected.") + QLatin1Char('\n') + summary;
    else
        m_resultText = tr("The transfer failed.") + QLatin1Char('\n') + summary;
    m_lbTips->setText(m_resultText);
    m_movie->stop();
    m_progress->hide();
    QPointer<QTransferDeviceDlg> self(this);
    // A category passed over is no success, though nothing failed.
    m_resultFlags = result != VEXA_OK ? MSG_ERROR : passedOver != 0 ? MSG_WARNING : MSG_SUCCESS;
    ShowMessage(m_resultText, QString(), m_resultFlags);
    if (self)
        close();
}

void QTransferDeviceDlg::OnBtnClose() {
    close();
}

void QTransferDeviceDlg::reject() {
    // A transfer in progress ends through its thread; the dialog closes when it reports.
    if (m_layout == Layout::Working && m_resultText.isEmpty())
        return;
    QImageDialog::reject();
}

void QTransferDeviceDlg::OnLanguageChanged() {
    const QString root = ResourceRoot();
    bool found = SetBackgroundImage(root + QStringLiteral("/image/transfer_bg_image.png"));
    if (!HasBackgroundImage())
        setFixedSize(600, 300);
    found =
        m_btnTransfer->SetImages(root + QStringLiteral("/image/Transfer Music to iTunes_btn.png")) && found;
    found = m_btnClose->SetImages(root + QStringLiteral("/image/btn_close.png")) && found;
    found = m_btnSwap->SetImages(root + QStringLiteral("/image/status/btn_transfer.png")) && found;
    const bool running = m_movie->state() == QMovie::Running;
    m_movie->stop();
    m_movie->setFileName(root + QStringLiteral("/image/progress_moive.gif"));
    if (running || m_layout != Layout::Choosing)
        m_movie->start();
    if (!found)
        qDebug() << "QTransferDeviceDlg::OnLanguageChanged can't find an image";
    m_lbSrcDevice->setText(tr("Source device:"));
    m_lbDstDevice->setText(tr("Target device:"));
    CImageCaption::Set(m_btnTransfer, tr("Transfer"));
    m_btnSwap->setToolTip(tr("Swap source and target"));
    for (int category = 0; category < m_categoryLabels.size(); ++category)
        m_categoryLabels[category]->setText(CDeviceTransfer::CategoryName(category));
    if (m_layout == Layout::Waiting)
        m_lbTips->setText(tr("Checking the connected devices, please wait..."));
    if (m_layout == Layout::Choosing)
        UpdateChoice();

    const int w = width();
    m_lbSrcDevice->setGeometry(36, 46, 240, 24);
    m_lbDstDevice->setGeometry(316, 46, 240, 24);
    m_edtSrcDevice->setGeometry(36, 76, 240, 26);
    m_edtDstDevice->setGeometry(316, 76, 240, 26);
    m_btnSwap->move(284, 77);
    m_btnClose->move(w - m_btnClose->width() - 10, 10);
    m_lbTips->setGeometry(36, 50, w - 72, 44);
    m_lbTargetNote->setGeometry(36, 108, w - 72, 48);
    m_progress->setGeometry(36, 98, w - 72, 20);
    for (int category = 0; category < m_categoryLabels.size(); ++category) {
        m_categoryLabels[category]->setGeometry(60, 128 + category * 30, 110, 20);
        m_categoryBars[category]->setGeometry(180, 130 + category * 30, w - 240, 16);
    }
    m_btnTransfer->move((w - m_btnTransfer->width()) / 2, height() - 60);
}
