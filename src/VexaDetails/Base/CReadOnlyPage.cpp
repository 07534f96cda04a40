#include "CReadOnlyPage.h"

#include <QAction>
#include <QEvent>
#include <QLabel>
#include <QVBoxLayout>

#include <vexa/ISkippedEntries.h>
#include <vexa/vexa.h>

#include "QAddDataWidget.h"
#include "QBaseDetailsView.h"
#include "QImageButton.h"
#include "QOperatePanel.h"

CReadOnlyPage::CReadOnlyPage(QBaseDetailsView* view, ReadOnlyNotice::Content content, Query query)
    : QObject(view)
    , m_view(view)
    , m_content(content)
    , m_query(std::move(query))
    , m_notice(new ReadOnlyNotice(content, view))
    , m_skipped(new QLabel(view)) {
    m_skipped->setObjectName(QStringLiteral("skippedEntries"));
    m_skipped->setWordWrap(true);
    m_skipped->setContentsMargins(8, 2, 8, 4);
    m_skipped->hide();
    // Right under the operation panel, above the search's no-match line and the content.
    if (auto* layout = qobject_cast<QVBoxLayout*>(view->layout())) {
        layout->insertWidget(1, m_notice);
        layout->insertWidget(2, m_skipped);
    }
    for (const char* name : {"m_addBtn", "m_deleteBtn"}) {
        if (auto* button = view->OperatePanel()->findChild<QWidget*>(QLatin1String(name)))
            AddWriteWidget(button);
    }
    if (view->AddWidget() && view->AddWidget()->AddButton())
        AddWriteWidget(view->AddWidget()->AddButton());
    connect(view, &QBaseDetailsView::loadFinished, this, &CReadOnlyPage::Update, Qt::QueuedConnection);
    m_skipped->installEventFilter(this);
    Update();
}

void CReadOnlyPage::AddWriteAction(QAction* action) {
    m_actions.emplace_back(action);
    action->setVisible(IsWritable());
}

void CReadOnlyPage::AddWriteWidget(QWidget* widget) {
    m_widgets.emplace_back(widget);
    // A widget its owner shows again later (the empty panel's add button) is hidden again at once.
    widget->installEventFilter(this);
    if (!IsWritable())
        widget->hide();
}

void CReadOnlyPage::Update() {
    Apply(m_query ? m_query() : State{});
}

void CReadOnlyPage::Apply(const State& state) {
    m_state = state;
    m_notice->SetAccess(state.access);
    const bool writable = IsWritable();
    for (const QPointer<QAction>& action : m_actions) {
        if (action)
            action->setVisible(writable);
    }
    // Content that cannot be changed now never can be while the page lives: nothing is shown again.
    if (!writable) {
        for (const QPointer<QWidget>& widget : m_widgets) {
            if (widget)
                widget->hide();
        }
        m_view->setAcceptDrops(false);
    }
    Retranslate();
}

QString CReadOnlyPage::SkippedText(ReadOnlyNotice::Content content, int count) {
    switch (content) {
    case ReadOnlyNotice::Books:
        return tr("%n book(s) could not be read: their files are not on the device.", nullptr, count);
    default:
        // Songs and videos are one library; the count is the library's.
        return tr("%n item(s) of the media library could not be read: their files are not on the device.",
                  nullptr, count);
    }
}

void CReadOnlyPage::Retranslate() {
    m_skipped->setText(m_state.skipped > 0 ? SkippedText(m_content, m_state.skipped) : QString());
    m_skipped->setVisible(m_state.skipped > 0);
}

bool CReadOnlyPage::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_skipped && event->type() == QEvent::LanguageChange)
        Retranslate();
    else if ((event->type() == QEvent::ShowToParent || event->type() == QEvent::Show) && !IsWritable() &&
             watched != m_skipped)
        static_cast<QWidget*>(watched)->hide();
    return QObject::eventFilter(watched, event);
}

template <class Service> CReadOnlyPage::State CReadOnlyPage::StateOf(Service* service) {
    State state;
    if (!service)
        return state;
    state.access = service->GetWriteAccess();
    if (auto* skipped = dynamic_cast<ISkippedEntries*>(service))
        state.skipped = skipped->GetSkippedCount();
    return state;
}

template CReadOnlyPage::State CReadOnlyPage::StateOf(IContactService*);
template CReadOnlyPage::State CReadOnlyPage::StateOf(IDeviceService*);

CReadOnlyPage::State CReadOnlyPage::MediaState(IVexaManager* manager) {
    return StateOf(manager ? manager->GetMediaLibrary() : nullptr);
}

CReadOnlyPage::State CReadOnlyPage::BookState(IVexaManager* manager) {
    return StateOf(manager ? manager->GetBookService() : nullptr);
}
