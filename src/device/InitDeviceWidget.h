#pragma once

#include <memory>

#include <QWidget>

#include <vexa/IVexaManager.h>

#include "QUtilThread.h"

namespace Ui {
class InitDeviceWidget;
}
class QMovie;

// Shown while a newly arrived device is prepared: a worker clears what earlier sessions left behind,
// makes the device's scratch folder and then reports that the device can be shown.
class InitDeviceWidget : public QWidget, public QUtilThread {
    Q_OBJECT
public:
    InitDeviceWidget(IVexaManager* manager, int handle, QWidget* parent = nullptr);
    ~InitDeviceWidget() override;

    int Handle() const { return m_handle; }
    int Progress() const;

    // Removes a folder with everything in it; true when it is gone afterwards (also when it never was).
    static bool DeleteFolder(const QString& path);

signals:
    void initDeviceFinish(int handle);
    void changeProgress(int percent);
    void emitError(int code);

public slots:
    void OnChangePos(int percent);
    void OnErrorMsg(int code);
    void OnCancel();
    void OnLanguageChanged();

protected:
    void Run() override;

private:
    bool InitControls();
    void CleanUpEarlierSessions();
    int MakeDeviceFolder();

    std::unique_ptr<Ui::InitDeviceWidget> ui;
    IVexaManager* m_manager;
    int m_handle;
    // Taken on the GUI thread: the language service is not for worker threads.
    QString m_resourceRoot;
    QString m_workDir;
    QMovie* m_movie = nullptr;
    bool m_closing = false;
};
