#pragma once

#include <QPixmap>
#include <QWidget>

class QPainter;

// A progress bar over a 64-bit range (byte counts of large files do not fit an int), painted from a
// groove image and a fill image, with an optional centred text such as "42%".
class QImageProgressBar : public QWidget {
    Q_OBJECT
public:
    explicit QImageProgressBar(QWidget* parent = nullptr);

    // A maximum below the minimum is raised to it; the value is clamped into the new range.
    void SetRange(qint64 minimum, qint64 maximum);
    void SetValue(qint64 value);
    qint64 Value() const { return m_value; }
    qint64 Minimum() const { return m_minimum; }
    qint64 Maximum() const { return m_maximum; }
    // Completed share in [0, 1]; 0 for an empty range.
    double Fraction() const;

    bool SetSliderImages(const QString& groove, const QString& fill);
    void SetTextVisible(bool visible);
    // "%p" stands for the whole percentage; the default format is "%p%".
    void SetFormat(const QString& format);
    QString Text() const;

    QSize sizeHint() const override;

signals:
    void valueChanged(qint64 value);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void PaintImages(QPainter& painter, int fillWidth);
    void PaintPlain(QPainter& painter, int fillWidth);

    qint64 m_minimum = 0;
    qint64 m_maximum = 100;
    qint64 m_value = 0;
    QPixmap m_groove;
    QPixmap m_fill;
    bool m_textVisible = false;
    QString m_format;
};
