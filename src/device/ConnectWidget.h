#pragma once

#include <memory>

#include <QPointer>
#include <QWidget>

namespace Ui {
class ConnectWidget;
}
#include "QImageDialog.h"
class QMovie;

enum tagConnectState { BeforeConnection = 0, Connecting = 1, ConnectionFailed = 2 };

// The right side of the main window before a device is ready: waiting for a device, connecting, or
// connection failed. Exactly one of the three groups is visible.
class ConnectWidget : public QWidget {
    Q_OBJECT
public:
    explicit ConnectWidget(QWidget* parent = nullptr);
    ~ConnectWidget() override;

    int ConnectState() const { return m_state; }
    // A device that has not trusted this computer: the connecting screen asks the user to unlock it and
    // tap "Trust"; the failed screen says the pairing was refused and how to try again.
    void ShowTrustPrompt(bool failed);
    // The waiting screen's word on how devices are reached (a VexaTransport value): nothing while usbmuxd
    // listens, "plug it in and unlock it" while the daemon has not started, the package to install when
    // it is missing. Followed by itself while the screen waits.
    void ShowTransport(int transport);
    // The open cancel confirmation, if any.
    QImageDialog* CancelDialog() const { return m_dialog; }

public slots:
    // False, and nothing changed, for a state above 2.
    bool setConnectState(int state);
    void onBtnRetry();
    void onThisBtnCancel();
    void onDialogBtnOK();
    void onDialogBtnCancel();
    void OnLanguageChanged();

protected:
    void enterEvent(QEnterEvent* event) override;

private:
    bool InitControls();
    void PlayMovie(QMovie*& movie, const QString& path, class QLabel* label);
    void CloseDialog();
    void SetHelpLink();
    void OnTransportTimer();

    std::unique_ptr<Ui::ConnectWidget> ui;
    int m_state = BeforeConnection;
    int m_trustPrompt = -1; // -1 none, 0 waiting for trust, 1 pairing failed
    int m_transport = -1;   // the VexaTransport shown on the waiting screen
    class QTimer* m_transportTimer = nullptr;
    QMovie* m_promptMovie = nullptr;
    QMovie* m_connectingMovie = nullptr;
    QPointer<QImageDialog> m_dialog;
};
