#pragma once

#include <QPixmap>
#include <QTimer>
#include <QWidget>

class QImageButton;
class QLineEdit;

// The search box of the operation panel: a line edit and a search button on a painted background.
// The search follows the typing once it pauses; Return and the button search at once.
class QSearchWidget : public QWidget {
    Q_OBJECT
public:
    static constexpr int kTypingPauseMs = 300;

    explicit QSearchWidget(QWidget* parent = nullptr);

    QString Text() const;
    void SetText(const QString& text);
    QLineEdit* LineEdit() const { return m_edit; }

signals:
    void searchText(const QString& text);

public slots:
    void onSearch();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void InitControls();

    QLineEdit* m_edit = nullptr;
    QImageButton* m_btnSearch = nullptr;
    QPixmap m_background;
    QTimer m_typingPause;
};
