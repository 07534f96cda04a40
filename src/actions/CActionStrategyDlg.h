#pragma once

#include <list>

#include <QTimer>

#include "IActionStrategyCallback.h"
#include "QImageDialog.h"

class CActionStrategyImpl;
class IBaseChunk;
class QImageButton;
class QImageProgressBar;
class QLabel;

// The modal "Please wait...." dialog of a batch action: shows the worker's progress and closes itself
// when the worker ends. The user cannot dismiss it while records are being changed.
class CActionStrategyDlg : public QImageDialog, public IActionStrategyCallback {
    Q_OBJECT
public:
    explicit CActionStrategyDlg(QWidget* parent = nullptr);
    ~CActionStrategyDlg() override;

    // Keeps `strategy` (not owned) and starts it shortly after the dialog has appeared.
    void SetStrategy(CActionStrategyImpl* strategy);
    bool IsEnded() const { return m_ended; }
    // Stops the action before its next record, waits for the worker and closes the dialog: the
    // device went away. Records already handled stay handled; the dialog's caller gets control back.
    void StopAction();

    int exec() override;
    void reject() override;

    void OnBegin() override;
    void OnEnd() override;
    void OnProgress(quint64 done, quint64 total) override;
    void OnMsg(const char* text) override;
    void OnError(const char* text) override;

    // What the views call. Asks "Are you sure ...?"; true when the user answered yes.
    static bool ConfirmDelete();
    // As ConfirmDelete(), but first tells the user to check something when no record of `list` is
    // checked, and then returns false without asking.
    static bool ConfirmDeleteChecked(const std::list<IBaseChunk*>& list);
    // Deletes the checked records of `list` behind this dialog and returns when done. Deleted records
    // are destroyed and their nodes erased; records the device refused stay. Widget thread only. The
    // dialog is a child of `parent`: whoever removes the parent stops the action first (StopAction).
    static void DeleteRecords(std::list<IBaseChunk*>* list, QWidget* parent = nullptr);
    // Deletes the one record at `node` of `list`, checked or not. Returns true when it was deleted
    // (destroyed and erased); otherwise it stays at its place.
    static bool DeleteRecord(std::list<IBaseChunk*>* list, std::list<IBaseChunk*>::iterator node,
                             QWidget* parent = nullptr);

public slots:
    void OnTimer();
    void OnLanguageChanged();

private:
    void RetranslateUi();
    void LoadImages();

    CActionStrategyImpl* m_strategy = nullptr;
    QTimer m_timer;
    QLabel* m_labelText;
    QImageProgressBar* m_progressBar;
    QImageButton* m_btnClose;
    QImageButton* m_btnOk;
    bool m_ended = false;
    bool m_showsMessage = false;
};
