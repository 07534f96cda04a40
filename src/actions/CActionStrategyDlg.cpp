#include "CActionStrategyDlg.h"

#include <algorithm>
#include <iterator>

#include <QDebug>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QVBoxLayout>

#include "CActionStrategyImpl.h"
#include "IActionStrategy.h"
#include "IBaseChunk.h"
#include "LanguageService.h"
#include "QImageButton.h"
#include "QImageProgressBar.h"
#include "QMessageDlg.h"
#include "QProUtil.h"
#include "WidgetColors.h"

namespace {
// Lets the dialog appear before the worker starts, so even a quick action is seen to happen.
constexpr int kStartDelayMs = 300;

// Hands a worker's reports to the dialog while it exists.
class DialogForwarder : public IActionStrategyCallback {
public:
    explicit DialogForwarder(CActionStrategyDlg* dialog)
        : m_dialog(dialog) {}

    void OnBegin() override {
        if (m_dialog)
            m_dialog->OnBegin();
    }
    void OnEnd() override {
        if (m_dialog)
            m_dialog->OnEnd();
    }
    void OnProgress(quint64 done, quint64 total) override {
        if (m_dialog)
            m_dialog->OnProgress(done, total);
    }
    void OnMsg(const char* text) override {
        if (m_dialog)
            m_dialog->OnMsg(text);
    }
    void OnError(const char* text) override {
        if (m_dialog)
            m_dialog->OnError(text);
    }

private:
    QPointer<CActionStrategyDlg> m_dialog;
};
} // namespace

CActionStrategyDlg::CActionStrategyDlg(QWidget* parent)
    : QImageDialog(parent)
    , m_labelText(new QLabel(this))
    , m_progressBar(new QImageProgressBar(this))
    , m_btnClose(new QImageButton(this))
    , m_btnOk(new QImageButton(this)) {
    setObjectName(QStringLiteral("CActionStrategyDlg"));
    setModal(true);
    setMinimumSize(450, 180);
    m_labelText->setObjectName(QStringLiteral("m_labelText"));
    m_labelText->setWordWrap(true);
    m_labelText->setStyleSheet(QStringLiteral("color: %1;").arg(WidgetColors::kText.name()));
    m_progressBar->setObjectName(QStringLiteral("m_progressBar"));
    m_progressBar->SetRange(0, 0);
    m_btnClose->setObjectName(QStringLiteral("m_btnClose"));
    m_btnOk->setObjectName(QStringLiteral("m_btnOk"));
    m_btnClose->hide();
    m_btnOk->hide();

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_btnOk);
    buttons->addWidget(m_btnClose);
    // The background's title band takes the top 40 pixels.
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 56, 24, 20);
    layout->setSpacing(14);
    layout->addWidget(m_labelText);
    layout->addWidget(m_progressBar);
    layout->addStretch(1);
    layout->addLayout(buttons);

    m_timer.setSingleShot(true);
    m_timer.setInterval(kStartDelayMs);
    connect(&m_timer, &QTimer::timeout, this, &CActionStrategyDlg::OnTimer);
    connect(QProUtil::instance(), &QProUtil::languageChanged, this, &CActionStrategyDlg::OnLanguageChanged);
    RetranslateUi();
    LoadImages();
}

CActionStrategyDlg::~CActionStrategyDlg() {
    // Whoever deletes the dialog (its parent going away) must not leave the worker walking records.
    if (m_strategy != nullptr) {
        m_strategy->Stop();
    }
}

void CActionStrategyDlg::SetStrategy(CActionStrategyImpl* strategy) {
    m_strategy = strategy;
    m_ended = false;
    m_timer.start();
}

int CActionStrategyDlg::exec() {
    // The action may have ended before the dialog was shown.
    if (m_ended) {
        return QDialog::Accepted;
    }
    return QDialog::exec();
}

void CActionStrategyDlg::reject() {
    // Escape and the window manager's close must not hide the dialog while records are being changed.
    if (m_ended) {
        QImageDialog::reject();
    }
}

void CActionStrategyDlg::StopAction() {
    m_timer.stop();
    if (m_strategy != nullptr) {
        // The worker's last reports, its end among them, arrive while this waits.
        m_strategy->Stop();
        m_strategy = nullptr;
    }
    if (!m_ended) {
        OnEnd();
    }
}

void CActionStrategyDlg::OnTimer() {
    if (m_strategy != nullptr && !m_strategy->Start()) {
        qDebug() << "CActionStrategyDlg::OnTimer can't start the action";
        OnEnd();
    }
}

void CActionStrategyDlg::OnLanguageChanged() {
    RetranslateUi();
    LoadImages();
}

void CActionStrategyDlg::OnBegin() {}

void CActionStrategyDlg::OnEnd() {
    m_ended = true;
    // The action is over; whoever owns it joins its thread.
    m_strategy = nullptr;
    m_timer.stop();
    accept();
}

void CActionStrategyDlg::OnProgress(quint64 done, quint64 total) {
    if (done == 0) {
        m_progressBar->SetRange(0, static_cast<qint64>(total));
    }
    m_progressBar->SetValue(static_cast<qint64>(done));
}

void CActionStrategyDlg::OnMsg(const char* text) {
    m_showsMessage = true;
    m_labelText->setText(QString::fromUtf8(text));
}

void CActionStrategyDlg::OnError(const char*) {}

bool CActionStrategyDlg::ConfirmDelete() {
    return ShowMessage(tr("Are you sure to delete the selected item(s)?"), QString(),
                       MSG_WARNING | MSG_YESNO) == MSG_RESULT_YES;
}

bool CActionStrategyDlg::ConfirmDeleteChecked(const std::list<IBaseChunk*>& list) {
    const bool anyChecked = std::any_of(list.begin(), list.end(), [](const IBaseChunk* record) {
        return record != nullptr && record->IsChecked();
    });
    if (!anyChecked) {
        ShowMessage(tr("Please choose any of items to delete!"));
        return false;
    }
    return ConfirmDelete();
}

void CActionStrategyDlg::DeleteRecords(std::list<IBaseChunk*>* list, QWidget* parent) {
    // On the heap and watched: a parent deleted during the dialog's loop takes the dialog with it, and
    // the worker's last reports must not follow it there.
    QPointer<CActionStrategyDlg> dialog = new CActionStrategyDlg(parent);
    DialogForwarder forwarder(dialog);
    CActionStrategyImpl strategy(kActionStrategyDelete, list, &forwarder);
    dialog->SetStrategy(&strategy);
    dialog->exec();
    if (dialog) {
        dialog->m_strategy = nullptr;
        delete dialog;
    }
}

bool CActionStrategyDlg::DeleteRecord(std::list<IBaseChunk*>* list, std::list<IBaseChunk*>::iterator node,
                                      QWidget* parent) {
    if (list == nullptr || node == list->end() || *node == nullptr) {
        return false;
    }
    // The record is moved, not copied, into a list of its own, and moved back when the device kept it.
    const auto place = std::next(node);
    std::list<IBaseChunk*> single;
    single.splice(single.end(), *list, node);
    single.front()->SetChecked(true);
    DeleteRecords(&single, parent);
    if (single.empty()) {
        return true;
    }
    list->splice(place, single);
    return false;
}

void CActionStrategyDlg::RetranslateUi() {
    setWindowTitle(tr("Dialog"));
    if (!m_showsMessage) {
        m_labelText->setText(tr("Please wait...."));
    }
    m_btnClose->setText(tr("close"));
    m_btnOk->setText(tr("OK"));
}

void CActionStrategyDlg::LoadImages() {
    const QString root = ResourceRoot();
    SetBackgroundImage(root + QStringLiteral("/image/deletedata_bg_image.png"));
    m_progressBar->SetSliderImages(root + QStringLiteral("/image/trake_slider2.png"),
                                   root + QStringLiteral("/image/trake_slider.png"));
}
