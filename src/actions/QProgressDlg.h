#pragma once

#include "IObsever.h"
#include "QImageDialog.h"

class IDlgProxyProcess;
class QImageButton;
class QImageProgressBar;
class QLabel;
class QShowEvent;

// The small progress dialog of an observed action. It starts the job when it is first shown, shows
// the job's messages, notes and progress, and closes when the job ends (result 0) or a button is
// pressed (0x1201 OK, 0x1202 Cancel, 0x1203 close).
class QProgressDlg : public QImageDialog, public IObsever {
    Q_OBJECT
public:
    enum Result {
        ResultEnd = 0,
        ResultOk = 0x1201,
        ResultCancel = 0x1202,
        ResultClose = 0x1203,
    };

    explicit QProgressDlg(const QString& title, QWidget* parent = nullptr);

    // Not owned; must outlive the dialog's exec().
    void SetProxy(IDlgProxyProcess* proxy) { m_proxy = proxy; }

    void OnLaunch() override;
    void OnEnd() override;
    void OnProgress(int progress, int total) override;
    void OnMsg(const char* msg) override;
    void OnNote(const char* note) override;

    QLabel* MessageLabel() const { return m_msg; }
    QLabel* NoteLabel() const { return m_note; }
    QImageProgressBar* Bar() const { return m_bar; }

public slots:
    void OnBtnOk();
    void OnBtnCancel();
    void OnBtnClose();
    void OnLanguageChanged();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void RetranslateUi();
    void LoadImages();

    QLabel* m_title;
    QLabel* m_msg;
    QLabel* m_note;
    QImageButton* m_btnOk;
    QImageButton* m_btnCancel;
    QImageButton* m_btnClose;
    QImageProgressBar* m_bar;
    QString m_titleText;
    bool m_shown = false;
    bool m_showsMessage = false;
    IDlgProxyProcess* m_proxy = nullptr;
};
