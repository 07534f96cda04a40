#pragma once

#include "QImageDialog.h"

class QImageProgressBar;
class QLabel;
class QMovie;

// The progress window of an install or an uninstall: the stage in words, a waiting animation and a
// bar the view moves on its timer. It cannot be closed by the user; the view closes it when the
// device has answered, and keeps it for the next time: a message opened meanwhile takes the window as
// its parent and must not lose it.
class QInstallDlg : public QImageDialog {
    Q_OBJECT
public:
    enum class Mode { Install, Uninstall };

    explicit QInstallDlg(Mode mode, QWidget* parent = nullptr);

    Mode CurrentMode() const { return m_mode; }
    // Shows the window again for a new install or uninstall, from the start.
    void Begin(Mode mode);
    void SetStageText(const QString& text);
    QString StageText() const;
    int ProValue() const;
    // Closes the window for good (the work has ended).
    void Finish();

public slots:
    void setProValue(int value);
    void OnLanguageChanged();

protected:
    void reject() override;

private:
    void LoadImages();

    Mode m_mode;
    QLabel* m_animation = nullptr;
    QMovie* m_movie = nullptr;
    QLabel* m_label = nullptr;
    QImageProgressBar* m_progress = nullptr;
    bool m_finished = false;
};
