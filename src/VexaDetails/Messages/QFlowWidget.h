#pragma once

#include <QList>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <memory>

class CAttachmentFiles;
class QCheckBox;
class QPainter;
class QTextLayout;

// A file sent with a message, as its bubble shows it.
struct FlowAttachment {
    QString name;
    QString sizeText;
    QString path; // the device's path
    bool image = false;
};

// One message as a chat bubble with a check box: incoming messages on the left, outgoing on the right.
// The bubble is drawn from three images (top, centre stretched to the text, bottom) and holds the text
// and, in a rectangle of its own, the date and time. Its height follows the text. Files sent with the
// message sit between the text and the date: a picture as its thumbnail, any other file by its name and
// size; a double click on one opens it.
class QFlowWidget : public QWidget {
    Q_OBJECT
public:
    // Longer texts are cut for the bubble (the record keeps them whole): laying out a book-length text
    // would stall the page and make a bubble taller than any screen.
    static constexpr int kMaxShownChars = 4000;
    static constexpr int kDefaultWidth = 440;
    static constexpr int kMinHeight = 55;

    QFlowWidget(const QString& text, const QString& dateTime, bool incoming, QWidget* parent = nullptr);
    ~QFlowWidget() override;

    bool IsIncoming() const { return m_incoming; }
    // The text as shown (cut to kMaxShownChars).
    QString Text() const { return m_text; }
    QString DateTime() const { return m_dateTime; }
    // The attachments and where their thumbnails come from (may be null: then every file is named).
    void SetAttachments(QList<FlowAttachment> attachments, CAttachmentFiles* files);
    const QList<FlowAttachment>& Attachments() const { return m_attachments; }
    // Where the attachment is drawn; an empty rectangle for an index out of range.
    QRect AttachmentRect(int index) const;
    // Whether the attachment shows as a picture now (its thumbnail is ready).
    bool ShowsThumbnail(int index) const;
    void SetChecked(bool checked);
    bool IsChecked() const;
    QCheckBox* CheckBox() const { return m_check; }
    // Where the bubble is drawn in the widget's current width.
    QRect BubbleRect() const;
    QRect DateTimeRect() const;

    // The width of the bubble images, read once.
    static int BubbleWidth();
    // The text as a bubble shows it: cut to kMaxShownChars, its line breaks kept.
    static QString ShownText(const QString& text);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void checkChange(bool checked, QFlowWidget* widget);
    void attachmentOpened(const QString& path, const QString& name);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void Relayout();
    void PaintAttachments(QPainter& painter, const QColor& textColour) const;
    // The bubble images' width, or less when the widget is narrower.
    int FittedBubbleWidth() const;

    QCheckBox* m_check;
    QString m_text;
    QString m_dateTime;
    bool m_incoming;
    std::unique_ptr<QTextLayout> m_layout;
    int m_textHeight = 0;
    QList<FlowAttachment> m_attachments;
    QPointer<CAttachmentFiles> m_files;
    QList<QSize> m_attachmentSizes; // laid out, in order
    int m_attachmentsHeight = 0;
    int m_laidOutWidth = 0;
    int m_height = kMinHeight;
};
