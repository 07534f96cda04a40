#pragma once

#include <QDialog>
#include <QFont>
#include <QPixmap>

class QImageButton;
class QPainter;

// Flags of ShowMessage(). The icon bits (0x10-0x30) only count together with MSG_ICON; any of the
// button bits shows a second button.
enum : quint32 {
    MSG_ICON = 0x02,
    MSG_WARNING = 0x12,
    MSG_SUCCESS = 0x22,
    MSG_ERROR = 0x32,
    MSG_TWO_BUTTONS = 0x100,
    MSG_RESTART = 0x200,
    MSG_YESNO = 0x400
};

// Codes ShowMessage() returns: first button, second or close button; yes and no of a MSG_YESNO question.
enum : int { MSG_RESULT_OK = 0, MSG_RESULT_CANCEL = 1, MSG_RESULT_YES = 2, MSG_RESULT_NO = 3 };

// Shows a modal message and returns the code of the button that closed it. An empty title leaves
// "Vexa Transfer"; no flags give one OK button and no icon.
int ShowMessage(const QString& message, const QString& title = QString(), quint32 flags = 0);
int ShowMessageUtf8(const char* message, const char* title, quint32 flags);

// The one dialog every message, warning, error and question goes through, drawn with the program's
// own frame images and moved by dragging.
class QMessageDlg : public QDialog {
    Q_OBJECT
public:
    explicit QMessageDlg(QWidget* parent = nullptr);

    void SetMessage(const QString& message);
    void SetTitle(const QString& title);
    void SetFlags(quint32 flags);
    QString Message() const { return m_message; }
    QString Title() const { return m_title; }
    quint32 Flags() const { return m_flags; }
    // Where the message is drawn, and in which font; the dialog grows so the wrapped text fits.
    QRect MessageRect() const { return m_messageRect; }
    QFont MessageFont() const { return m_messageFont; }

public slots:
    void OnBtnOk();
    void OnBtnCancel();
    void OnLanguageChanged();
    // Escape and the window manager's close count as the second button.
    void reject() override;

signals:
    // The Restart button (MSG_RESTART) does not close the dialog; whoever offers the restart does it.
    void emitRestart();

protected:
    void paintEvent(QPaintEvent* event) override;
    // Opens centred on the window it belongs to.
    void showEvent(QShowEvent* event) override;

private:
    void LoadFrameImages();
    void LoadStateIcon();
    void InitButton();
    void UpdateLayout();
    void PaintFrame(QPainter& painter);
    void PaintTexts(QPainter& painter);
    bool HasSecondButton() const;

    QImageButton* m_btnOk;
    QImageButton* m_btnCancel;
    QImageButton* m_btnClose;
    QString m_title;
    QString m_message;
    quint32 m_flags = 0;
    QPixmap m_titleIcon;
    QPixmap m_top;
    QPixmap m_bottom;
    QPixmap m_lineLeft;
    QPixmap m_lineRight;
    QPixmap m_stateIcon;
    QFont m_titleFont;
    QFont m_messageFont;
    QRect m_titleIconRect;
    QRect m_titleRect;
    QRect m_bodyRect;
    QRect m_stateIconRect;
    QRect m_messageRect;
};
