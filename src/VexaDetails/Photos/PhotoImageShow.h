#pragma once

#include <QDialog>
#include <QImage>
#include <QTemporaryDir>

#include "QUtilThread.h"

class IVexaManager;
class QPushButton;

// A photo full size ("Photo"): the device's file is copied to a temporary folder on a thread of the
// dialog's own and painted scaled into the window. A picture the system's image readers can't read
// (HEIC without a plugin, say) shows its file name instead.
class PhotoImageShow : public QDialog, public QUtilThread {
    Q_OBJECT
public:
    PhotoImageShow(IVexaManager* manager, const QString& devicePath, const QString& fileName,
                   QWidget* parent = nullptr);
    ~PhotoImageShow() override;

    bool IsLoaded() const { return m_loaded; }
    const QImage& Image() const { return m_image; }

signals:
    void emitCopied(bool ok);

protected:
    void Run() override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private slots:
    void OnCopied(bool ok);

private:
    IVexaManager* m_manager;
    QString m_devicePath;
    QString m_fileName;
    QTemporaryDir m_folder;
    QString m_localPath;
    QImage m_image;
    bool m_loaded = false;
    QPushButton* m_btnClose;
};
