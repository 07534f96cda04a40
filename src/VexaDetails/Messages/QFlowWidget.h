#pragma once

#include <QString>
#include <QWidget>
#include <memory>

class QCheckBox;
class QTextLayout;

// One message as a chat bubble with a check box: incoming messages on the left, outgoing on the right.
// The bubble is drawn from three images (top, centre stretched to the text, bottom) and holds the text
// and, in a rectangle of its own, the date and time. Its height follows the text.
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

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void Relayout();
    // The bubble images' width, or less when the widget is narrower.
    int FittedBubbleWidth() const;

    QCheckBox* m_check;
    QString m_text;
    QString m_dateTime;
    bool m_incoming;
    std::unique_ptr<QTextLayout> m_layout;
    int m_textHeight = 0;
    int m_laidOutWidth = 0;
    int m_height = kMinHeight;
};
