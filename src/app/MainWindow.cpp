#include "MainWindow.h"

#include <QDebug>
#include <QFile>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QUrl>

#include "CDesktopOpen.h"
#include "LanguageConfig.h"
#include "LanguageService.h"
#include "QAboutDlg.h"
#include "QNavigateWidget.h"
#include "QProUtil.h"
#include "WidgetColors.h"
#include "ui_MainWindow.h"

namespace {

constexpr int kChinese = 25;
constexpr int kEnglish = 31;
constexpr int kGerman = 42;

const char* const kHomePage = "https://www.quorvane.com/";
const char* const kHelpFile = "Vexa Transfer help.html";

} // namespace

MainWindow::MainWindow(QWidget* parent)
    : QMainWindow(parent)
    , ui(std::make_unique<Ui::MainWindow>()) {
    ui->setupUi(this);
    setObjectName(QStringLiteral("MainWindow"));
    // The minimise box and system menu let the taskbar minimise and restore the frameless window.
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowSystemMenuHint);
    setMouseTracking(true);

    m_navigate = new QNavigateWidget(ui->m_centerWidget);
    ui->m_centerLayout->addWidget(m_navigate, 1);
    connect(m_navigate, &QNavigateWidget::emitEnabelCloseBtn, this, &MainWindow::EnableCloseBtn);

    ui->m_btnRestore->hide();
    InitImages();
    BuildPopupMenu();

    connect(ui->m_btnClose, &QPushButton::clicked, this, &QWidget::close);
    connect(ui->m_btnPopup, &QPushButton::clicked, this, &MainWindow::onBtnPopup);
    connect(ui->m_btnMax, &QPushButton::clicked, this, &MainWindow::onBtnMaximize);
    connect(ui->m_btnRestore, &QPushButton::clicked, this, &MainWindow::onBtnRestore);
    connect(ui->m_btnMin, &QPushButton::clicked, this, &MainWindow::onBtnMinimize);
    connect(ui->m_btnHome, &QPushButton::clicked, this, &MainWindow::onBtnHome);
    ConnectStrips();
    connect(QProUtil::instance(), &QProUtil::languageChanged, this, &MainWindow::OnLanguageChanged);

    ApplyTexts();
}

MainWindow::~MainWindow() {
    // The navigation goes while the window is still whole: its pages' jobs are waited for with events
    // flowing, and a result shown then (the storage figures) still builds widgets inside this window.
    delete m_navigate;
    m_navigate = nullptr;
}

void MainWindow::InitImages() {
    const QString root = ResourceRoot();
    bool found = ui->m_btnClose->SetImages(root + QStringLiteral("/image/button_close.png"));
    found = ui->m_btnPopup->SetImages(root + QStringLiteral("/image/button_about.png")) && found;
    found = ui->m_btnMax->SetImages(root + QStringLiteral("/image/button_big.png")) && found;
    found = ui->m_btnMin->SetImages(root + QStringLiteral("/image/button_min.png")) && found;
    found = ui->m_btnHome->SetImages(root + QStringLiteral("/image/HOME_btn.png")) && found;
    found = ui->m_btnRestore->SetImages(root + QStringLiteral("/image/buttonf_restore.png")) && found;
    found = m_frameTop.load(root + QStringLiteral("/image/main_top.png")) && found;
    found = m_frameLeft.load(root + QStringLiteral("/image/main_left.png")) && found;
    found = m_frameRight.load(root + QStringLiteral("/image/main_right.png")) && found;
    found = m_frameBottom.load(root + QStringLiteral("/image/main_bottom.png")) && found;
    found = m_logo.load(root + QStringLiteral("/image/right_bottom_logo.png")) && found;
    if (!found)
        qDebug() << "MainWindow::InitImages can't find an image under" << root;
    update();
}

void MainWindow::ConnectStrips() {
    const std::pair<QAjustSizeWidget*, tagFlag> strips[] = {
        {ui->m_left, FlagLeft},     {ui->m_leftTop, FlagLeftTop},
        {ui->m_top, FlagTop},       {ui->m_rightTop, FlagRightTop},
        {ui->m_right, FlagRight},   {ui->m_rightBottom, FlagRightBottom},
        {ui->m_bottom, FlagBottom}, {ui->m_leftBottom, FlagLeftBottom},
    };
    for (const auto& [strip, flag] : strips) {
        strip->SetFlag(flag);
        connect(strip, &QAjustSizeWidget::mouseMove, this, &MainWindow::customSize);
    }
}

void MainWindow::BuildPopupMenu() {
    const QString root = ResourceRoot();
    m_popupMenu = new QMenu(this);
    m_popupMenu->setStyleSheet(QString::fromLatin1(WidgetColors::kMenuStyleSheet));
    m_actAbout = m_popupMenu->addAction(QIcon(root + QStringLiteral("/image/menu_about.png")), QString());
    m_actHome = m_popupMenu->addAction(QIcon(root + QStringLiteral("/image/menu_home.png")), QString());
    m_actHelp = m_popupMenu->addAction(QIcon(root + QStringLiteral("/image/menu_help.png")), QString());
    m_languageMenu = m_popupMenu->addMenu(QString());
    m_languageMenu->setStyleSheet(QString::fromLatin1(WidgetColors::kMenuStyleSheet));
    BuildLanguageMenu();

    connect(m_actAbout, &QAction::triggered, this, &MainWindow::onBtnAbout);
    connect(m_actHome, &QAction::triggered, this, &MainWindow::onBtnHome);
    connect(m_actHelp, &QAction::triggered, this, &MainWindow::onBtnHelp);
}

// One action for each language of the file whose display name the program knows, in code order.
void MainWindow::BuildLanguageMenu() {
    if (!QFile::exists(LanguageFilePath())) {
        m_languageMenu->menuAction()->setVisible(false);
        return;
    }
    const LanguageConfig config;
    for (int index = 0; index < config.Size(); ++index) {
        const QString display = config.Entry(config.CodeAt(index)).Display;
        QAction* action = nullptr;
        if (display == QLatin1String("English") && !m_actEnglish) {
            action = m_actEnglish = m_languageMenu->addAction(QString());
            connect(action, &QAction::triggered, this, &MainWindow::onBtnEnglis);
        } else if (display == QLatin1String("German") && !m_actGerman) {
            action = m_actGerman = m_languageMenu->addAction(QString());
            connect(action, &QAction::triggered, this, &MainWindow::onBtnGerman);
        } else if (display == QLatin1String("Chinese") && !m_actChinese) {
            action = m_actChinese = m_languageMenu->addAction(QString());
            connect(action, &QAction::triggered, this, &MainWindow::onBtnChinese);
        }
        if (action)
            action->setCheckable(true);
    }
    const int current = config.Current();
    if (m_actChinese)
        m_actChinese->setChecked(current == kChinese);
    if (m_actEnglish)
        m_actEnglish->setChecked(current == kEnglish);
    if (m_actGerman)
        m_actGerman->setChecked(current == kGerman);
}

void MainWindow::RetranslateMenu() {
    m_actAbout->setText(tr("About"));
    m_actHome->setText(tr("Home"));
    m_actHelp->setText(tr("Help"));
    m_languageMenu->setTitle(tr("Language"));
    if (m_actEnglish)
        m_actEnglish->setText(tr("English"));
    if (m_actGerman)
        m_actGerman->setText(tr("German"));
    if (m_actChinese)
        m_actChinese->setText(tr("Chinese"));
}

void MainWindow::ApplyTexts() {
    setWindowTitle(tr("Vexa Transfer"));
    ui->m_btnClose->setToolTip(tr("Close"));
    ui->m_btnPopup->setToolTip(tr("About"));
    ui->m_btnMax->setToolTip(tr("Maximize"));
    ui->m_btnRestore->setToolTip(tr("Restore"));
    ui->m_btnMin->setToolTip(tr("Minimize"));
    ui->m_btnHome->setToolTip(tr("Home"));
    RetranslateMenu();
}

void MainWindow::onBtnPopup() {
    const QPoint buttonBottomLeft = ui->m_btnPopup->mapTo(this, QPoint(0, ui->m_btnPopup->height()));
    m_popupMenu->popup(geometry().topLeft() + buttonBottomLeft);
}

void MainWindow::onBtnMinimize() {
    showMinimized();
}

void MainWindow::onBtnMaximize() {
    showMaximized();
    ui->m_btnMax->hide();
    ui->m_btnRestore->show();
}

void MainWindow::onBtnRestore() {
    showNormal();
    ui->m_btnMax->show();
    ui->m_btnRestore->hide();
}

void MainWindow::onBtnHome() {
    CDesktopOpen::Open(QUrl(QString::fromLatin1(kHomePage)));
}

void MainWindow::onBtnAbout() {
    QAboutDlg dialog(this);
    dialog.exec();
}

void MainWindow::onBtnHelp() {
    const QString path = QStringLiteral("%1/%2").arg(ResourceRoot(), QLatin1String(kHelpFile));
    CDesktopOpen::Open(QUrl::fromLocalFile(path));
}

void MainWindow::ChooseLanguage(QAction* chosen, int code) {
    for (QAction* action : {m_actEnglish, m_actGerman, m_actChinese}) {
        if (action)
            action->setChecked(action == chosen);
    }
    if (!SetLanguage(code))
        qDebug() << "chang language failed!";
}

void MainWindow::onBtnEnglis() {
    ChooseLanguage(m_actEnglish, kEnglish);
}

void MainWindow::onBtnGerman() {
    ChooseLanguage(m_actGerman, kGerman);
}

void MainWindow::onBtnChinese() {
    ChooseLanguage(m_actChinese, kChinese);
}

void MainWindow::OnLanguageChanged() {
    ui->retranslateUi(this);
    ApplyTexts();
    InitImages();
    const QString root = ResourceRoot();
    m_actAbout->setIcon(QIcon(root + QStringLiteral("/image/menu_about.png")));
    m_actHome->setIcon(QIcon(root + QStringLiteral("/image/menu_home.png")));
    m_actHelp->setIcon(QIcon(root + QStringLiteral("/image/menu_help.png")));
}

void MainWindow::customSize(tagFlag flag, int x, int y) {
    QRect frame = geometry();
    switch (flag) {
    case FlagLeft:
        frame.setLeft(x);
        break;
    case FlagLeftTop:
        frame.setTopLeft(QPoint(x, y));
        break;
    case FlagTop:
        frame.setTop(y);
        break;
    case FlagRightTop:
        frame.setTop(y);
        frame.setRight(x);
        break;
    case FlagRight:
        frame.setRight(x);
        break;
    case FlagRightBottom:
        frame.setBottomRight(QPoint(x, y));
        break;
    case FlagBottom:
        frame.setBottom(y);
        break;
    case FlagLeftBottom:
        frame.setBottom(y);
        frame.setLeft(x);
        break;
    default:
        return;
    }
    // Below the minimum size the moving edge would push the window instead; keep that edge still.
    const QRect current = geometry();
    if (frame.width() < minimumWidth()) {
        frame.setLeft(current.left());
        frame.setRight(current.right());
    }
    if (frame.height() < minimumHeight()) {
        frame.setTop(current.top());
        frame.setBottom(current.bottom());
    }
    setGeometry(frame);
}

void MainWindow::EnableCloseBtn(bool enable) {
    qDebug("******************************%d", enable);
    ui->m_btnClose->setEnabled(enable);
}

void MainWindow::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || isMaximized())
        return QMainWindow::mousePressEvent(event);
    m_pressGeometry = geometry();
    m_pressOffset = event->globalPosition().toPoint() - frameGeometry().topLeft();
    m_pressed = true;
}

void MainWindow::mouseMoveEvent(QMouseEvent* event) {
    if (!m_pressed)
        return QMainWindow::mouseMoveEvent(event);
    move(event->globalPosition().toPoint() - m_pressOffset);
}

void MainWindow::mouseReleaseEvent(QMouseEvent* event) {
    m_pressed = false;
    QMainWindow::mouseReleaseEvent(event);
}

void MainWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect all = rect();
    const int titleBottom = ui->m_title->mapTo(this, QPoint(0, ui->m_title->height())).y();
    painter.fillRect(all, QColor(216, 243, 249));
    // The top piece carries the title bar; the side pieces and the bottom piece frame the rest.
    if (!m_frameTop.isNull())
        painter.drawPixmap(QRect(0, 0, all.width(), titleBottom), m_frameTop);
    else
        painter.fillRect(QRect(0, 0, all.width(), titleBottom), QColor(122, 190, 204));
    const int sideHeight = all.height() - titleBottom;
    if (!m_frameLeft.isNull())
        painter.drawPixmap(QRect(0, titleBottom, m_frameLeft.width(), sideHeight), m_frameLeft);
    if (!m_frameRight.isNull())
        painter.drawPixmap(
            QRect(all.width() - m_frameRight.width(), titleBottom, m_frameRight.width(), sideHeight),
            m_frameRight);
    if (!m_frameBottom.isNull())
        painter.drawPixmap(
            QRect(0, all.height() - m_frameBottom.height(), all.width(), m_frameBottom.height()),
            m_frameBottom);
    if (!m_logo.isNull())
        painter.drawPixmap(all.width() - m_logo.width() - 14, all.height() - m_logo.height() - 9, m_logo);
}
