#pragma once

#include <QDialog>
#include <QPixmap>

// A frameless dialog drawn from one background image and moved by dragging it. Without an image it
// draws a plain white panel with a teal border, so a missing file never leaves it invisible.
class QImageDialog : public QDialog {
    Q_OBJECT
public:
    explicit QImageDialog(QWidget* parent = nullptr);

    // Full path of the image; resizes the dialog to it. False, keeping the old look, when it can't load.
    bool SetBackgroundImage(const QString& path);
    bool HasBackgroundImage() const { return !m_background.isNull(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    // Opens centred on the window it belongs to, also when made without a parent.
    void showEvent(QShowEvent* event) override;

private:
    QPixmap m_background;
};
