#pragma once

#include <atomic>
#include <memory>
#include <string>

#include <QStringList>
#include <QTimer>

#include "IPhotoSerialCallback.h"
#include "QImageDialog.h"
#include "QUtilThread.h"

class CPhotoSerialCallbackAdapter;
class CPhotoSerialImpl;
class IVexaManager;
class QImageButton;
class QImageProgressBar;
class QLabel;

// The transfer dialog. Export mode: shows a file export's progress and closes when it ends. Import mode:
// copies picture files from the computer into a photo album of the device on its own thread. Cancel stops
// either before the next file. When files could not be copied the dialog stays open on a line that says how
// many, until the user presses OK.
class CPhotoSerialDlg : public QImageDialog, public QUtilThread, public IPhotoSerialCallback {
    Q_OBJECT
public:
    explicit CPhotoSerialDlg(QWidget* parent = nullptr);
    ~CPhotoSerialDlg() override;

    // Keeps the writer (not owned) and starts its export into `destination`.
    // False when the export could not start (the dialog has ended then).
    bool StartExport(CPhotoSerialImpl* writer, const QString& destination);

    // Copies `files` into the album `albumId` shortly after the dialog has appeared.
    void StartImport(IVexaManager* manager, const QStringList& files, const QString& albumId);

    bool IsEnded() const { return m_ended; }
    bool WasCancelled() const { return m_cancelled; }
    QLabel* Label() const { return m_label; }
    QImageProgressBar* Progress() const { return m_progress; }
    QImageButton* CancelButton() const { return m_btnCancel; }

    int exec() override;
    void reject() override;

    void OnBegin() override;
    void OnEnd() override;
    void OnProgress(quint64 done, quint64 total) override;
    void OnError(const char* text) override;
    void OnMsg(const char* text) override;

signals:
    void emitImportFinished();

public slots:
    void OnBtnCancel();
    void OnImportFinished();
    void OnLanguageChanged();

protected:
    void Run() override;

private slots:
    void OnImportTimer();

private:
    void Finish();
    void RetranslateUi();
    void LoadImages();
    void LoadButtonImage();

    QImageProgressBar* m_progress;
    QLabel* m_title;
    QLabel* m_label;
    QLabel* m_count;
    QImageButton* m_btnCancel;
    CPhotoSerialImpl* m_writer = nullptr;
    std::string m_destination;
    bool m_started = false;
    bool m_ended = false;
    bool m_cancelled = false;
    bool m_showsMessage = false;
    bool m_failed = false;
    bool m_importing = false;
    // Cancel ends the import before its next file; unlike a stop it keeps the reports coming.
    std::atomic<bool> m_importCancelled{false};

    // Import mode.
    IVexaManager* m_manager = nullptr;
    QStringList m_files;
    QByteArray m_albumId;
    QTimer m_importTimer;
    std::unique_ptr<CPhotoSerialCallbackAdapter> m_importAdapter;
};
