#pragma once

#include <QList>
#include <QPointer>

#include <vexa/VexaRecords.h>

#include "IDeviceDirectory.h"
#include "QImageDialog.h"

class CTransferDeviceInitThread;
class CTransferDeviceTransferThread;
class QComboBox;
class QImageButton;
class QImageProgressBar;
class QLabel;
class QMovie;

// Picks a source and a target device and copies the source's contacts, photos, music and books onto the
// target. Waiting (the device list is gathered), choosing, working (the transfer runs), closed.
class QTransferDeviceDlg : public QImageDialog {
    Q_OBJECT
public:
    enum class Layout { Waiting, Choosing, Working };

    explicit QTransferDeviceDlg(const IDeviceDirectory* directory, QWidget* parent = nullptr);
    ~QTransferDeviceDlg() override;

    Layout CurrentLayout() const { return m_layout; }
    QString TipsText() const;
    QComboBox* SourceCombo() const { return m_edtSrcDevice; }
    QComboBox* TargetCombo() const { return m_edtDstDevice; }
    // The outcome of the last transfer, as shown in its message; empty before one ended.
    QString ResultText() const { return m_resultText; }
    // Its message's icon: success, a warning when a category was passed over, or an error.
    quint32 ResultFlags() const { return m_resultFlags; }
    int InitThreadsStarted() const { return m_initStarts; }
    // What the chosen target will not take, shown under the device choice; empty when it takes all.
    QString TargetNoteText() const;

public slots:
    void OnSucessesInit(DeviceInfo* list, int count);
    void OnBtnTransfer();
    void OnBtnSwap();
    void OnBtnClose();
    void OnTransferProgress(int category, int done, int total);
    void OnTransferResult(int result, int passedOver, const QString& summary);
    void OnLanguageChanged();
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void SetLayout(Layout layout);
    const CConnectedDevice* DeviceOf(quintptr identifier) const;
    // Says what the chosen target cannot take, and whether a transfer can start at all.
    void UpdateChoice();

    const IDeviceDirectory* m_directory;
    QLabel* m_lbTips;
    QLabel* m_progress;
    QLabel* m_lbSrcDevice;
    QLabel* m_lbDstDevice;
    QLabel* m_lbTargetNote;
    QComboBox* m_edtSrcDevice;
    QComboBox* m_edtDstDevice;
    QImageButton* m_btnTransfer;
    QImageButton* m_btnSwap;
    QImageButton* m_btnClose;
    QList<QLabel*> m_categoryLabels;
    QList<QImageProgressBar*> m_categoryBars;
    QMovie* m_movie;
    bool m_initStarted = false;
    int m_initStarts = 0;
    Layout m_layout = Layout::Waiting;
    QList<CConnectedDevice> m_devices;
    QPointer<CTransferDeviceInitThread> m_initThread;
    QPointer<CTransferDeviceTransferThread> m_transferThread;
    QString m_resultText;
    quint32 m_resultFlags = 0;
};
