#pragma once

#include <QWidget>

class QLabel;

// One legend entry under a storage bar: the segment's colour strip, the category icon and a text such
// as "Music 1.20 GB".
class QContentItemWidget : public QWidget {
    Q_OBJECT
public:
    explicit QContentItemWidget(QWidget* parent = nullptr);

    // False when one of the images could not be loaded; the text is set in any case.
    bool SetContent(const QString& stripPath, const QString& iconPath, const QString& text);
    QString Text() const;

private:
    QLabel* m_image;
    QLabel* m_icon;
    QLabel* m_text;
};
