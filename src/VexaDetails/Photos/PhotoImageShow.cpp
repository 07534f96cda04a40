#include "PhotoImageShow.h"

#include <QDebug>
#include <QImageReader>
#include <QPainter>
#include <QPushButton>
#include <QThread>

#include <vexa/IVexaManager.h>

PhotoImageShow::PhotoImageShow(IVexaManager* manager, const QString& devicePath, const QString& fileName,
                               QWidget* parent)
    : QDialog(parent)
    , m_manager(manager)
    , m_devicePath(devicePath)
    , m_fileName(fileName)
    , m_btnClose(new QPushButton(this)) {
    setObjectName(QStringLiteral("PhotoImageShow"));
    setWindowTitle(tr("Photo"));
    resize(800, 600);
    m_btnClose->setObjectName(QStringLiteral("m_btnClose"));
    m_btnClose->setText(tr("Close"));
    connect(m_btnClose, &QPushButton::clicked, this, &QDialog::close);
    connect(this, &PhotoImageShow::emitCopied, this, &PhotoImageShow::OnCopied, Qt::QueuedConnection);
    m_localPath = m_folder.filePath(fileName.isEmpty() ? QStringLiteral("photo") : fileName);
    Start();
}

PhotoImageShow::~PhotoImageShow() {
    StopAndWait();
}

void PhotoImageShow::Run() {
    QThread::currentThread()->setObjectName(QStringLiteral("PhotoImageShow"));
    IFileService* files = m_manager != nullptr ? m_manager->GetFileService() : nullptr;
    const int code = files != nullptr && m_folder.isValid()
                         ? files->CopyFileToComputer(reinterpret_cast<const char16_t*>(m_devicePath.utf16()),
                                                     reinterpret_cast<const char16_t*>(m_localPath.utf16()))
                         : -1;
    if (code != 0) {
        qDebug() << "PhotoImageShow::Run can't copy" << m_devicePath << code;
    }
    emit emitCopied(code == 0);
}

void PhotoImageShow::OnCopied(bool ok) {
    if (ok) {
        QImageReader reader(m_localPath);
        reader.setAutoTransform(true);
        m_image = reader.read();
        if (m_image.isNull()) {
            qDebug() << "PhotoImageShow::OnCopied image is null:" << reader.errorString();
        }
    }
    m_loaded = true;
    update();
}

void PhotoImageShow::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    m_btnClose->setGeometry(width() - 90, height() - 40, 80, 30);
}

void PhotoImageShow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), QColor(40, 44, 46));
    const QRect area = rect().adjusted(10, 10, -10, -50);
    if (!m_image.isNull()) {
        const QSize size = m_image.size().scaled(area.size(), Qt::KeepAspectRatio);
        const QRect target(area.center().x() - size.width() / 2, area.center().y() - size.height() / 2,
                           size.width(), size.height());
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(target, m_image);
        return;
    }
    painter.setPen(QColor(216, 243, 249));
    painter.drawText(area, Qt::AlignCenter, m_loaded ? m_fileName : tr("Please wait...."));
}
