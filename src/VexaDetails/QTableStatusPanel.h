#pragma once

#include <QWidget>

class QHBoxLayout;
class QLabel;

// A status line under a record table: a text on the left, room for buttons on the right.
class QTableStatusPanel : public QWidget {
    Q_OBJECT
public:
    explicit QTableStatusPanel(QWidget* parent = nullptr);

    void SetText(const QString& text);
    QString Text() const;

protected:
    QHBoxLayout* ButtonLayout() const { return m_buttons; }

private:
    QLabel* m_text = nullptr;
    QHBoxLayout* m_buttons = nullptr;
};
