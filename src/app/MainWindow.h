#pragma once

#include <memory>

#include <QMainWindow>
#include <QPixmap>

#include "QAjustSizeWidget.h"

namespace Ui {
class MainWindow;
}
class QAction;
class QMenu;
class QNavigateWidget;

// The frameless main window: its own title bar and frame, eight resize strips, dragging, the title-bar
// menu with About, Home, Help and the language choice, and the navigation widget in its centre.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    QNavigateWidget* NavigateWidget() const { return m_navigate; }
    QMenu* PopupMenu() const { return m_popupMenu; }
    QMenu* LanguageMenu() const { return m_languageMenu; }

public slots:
    void onBtnPopup();
    void onBtnMinimize();
    void onBtnMaximize();
    void onBtnRestore();
    void onBtnHome();
    void onBtnAbout();
    void onBtnHelp();
    void onBtnEnglis();
    void onBtnGerman();
    void onBtnChinese();
    void OnLanguageChanged();
    void customSize(tagFlag flag, int x, int y);
    void EnableCloseBtn(bool enable);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void InitImages();
    void BuildPopupMenu();
    void BuildLanguageMenu();
    void RetranslateMenu();
    void ApplyTexts();
    void ConnectStrips();
    void ChooseLanguage(QAction* chosen, int code);

    std::unique_ptr<Ui::MainWindow> ui;
    QNavigateWidget* m_navigate = nullptr;

    bool m_pressed = false;
    QPoint m_pressOffset;
    QRect m_pressGeometry;

    QPixmap m_frameTop;
    QPixmap m_frameLeft;
    QPixmap m_frameRight;
    QPixmap m_frameBottom;
    QPixmap m_logo;

    QMenu* m_popupMenu = nullptr;
    QMenu* m_languageMenu = nullptr;
    QAction* m_actAbout = nullptr;
    QAction* m_actHome = nullptr;
    QAction* m_actHelp = nullptr;
    QAction* m_actEnglish = nullptr;
    QAction* m_actGerman = nullptr;
    QAction* m_actChinese = nullptr;
};
