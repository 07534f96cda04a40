#include "MainWindow.h"

#include <QStackedWidget>

#include "QProUtil.h"

MainWindow::MainWindow(QWidget* parent)
    : QMainWindow(parent)
    , m_pages(new QStackedWidget(this)) {
    setObjectName(QStringLiteral("MainWindow"));
    m_pages->setObjectName(QStringLiteral("m_pages"));
    m_pages->addWidget(new QWidget(m_pages));
    setCentralWidget(m_pages);
    resize(1000, 680);
    OnLanguageChanged();
    connect(QProUtil::instance(), &QProUtil::languageChanged, this, &MainWindow::OnLanguageChanged);
}

void MainWindow::OnLanguageChanged() {
    setWindowTitle(tr("Vexa Transfer"));
}
