#pragma once

#include <QMainWindow>

class QStackedWidget;

// The program's top-level window: the title and an area for the page of the selected node.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(QWidget* parent = nullptr);

    QStackedWidget* Pages() const { return m_pages; }

public slots:
    void OnLanguageChanged();

private:
    QStackedWidget* m_pages;
};
