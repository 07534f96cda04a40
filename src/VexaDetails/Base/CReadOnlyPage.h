#pragma once

#include <functional>
#include <vector>

#include <QObject>
#include <QPointer>

#include "ReadOnlyNotice.h"

class IVexaManager;
class QAction;
class QBaseDetailsView;
class QLabel;
class QWidget;

// Keeps a page honest about content it can read but not change: under the page's buttons the
// read-only line and a line that counts the entries the listing left out; the page's add and delete
// buttons, the add button of its empty panel, the write entries of its menus and its drop target only
// while the content is writable. The state is asked of the service when the page is made and after each
// load. GUI thread.
class CReadOnlyPage : public QObject {
    Q_OBJECT
public:
    struct State {
        int access = 0;  // ContentWriteAccess
        int skipped = 0; // entries the last listing left out
    };
    using Query = std::function<State()>;

    CReadOnlyPage(QBaseDetailsView* view, ReadOnlyNotice::Content content, Query query);

    // A menu entry or control that changes the content: shown only while it can be changed.
    void AddWriteAction(QAction* action);
    void AddWriteWidget(QWidget* widget);
    // Asks the service again and shows what it says.
    void Update();
    void Apply(const State& state);

    bool IsWritable() const { return m_state.access == 0; }
    ReadOnlyNotice* Notice() const { return m_notice; }
    QLabel* SkippedLine() const { return m_skipped; }
    // What a content service says; nothing to say without a service.
    template <class Service> static State StateOf(Service* service);
    // What the device's media library and book service say.
    static State MediaState(IVexaManager* manager);
    static State BookState(IVexaManager* manager);
    // "3 books could not be read: their files are not on the device."
    static QString SkippedText(ReadOnlyNotice::Content content, int count);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Retranslate();

    QBaseDetailsView* m_view;
    const ReadOnlyNotice::Content m_content;
    Query m_query;
    ReadOnlyNotice* m_notice;
    QLabel* m_skipped;
    State m_state;
    std::vector<QPointer<QAction>> m_actions;
    std::vector<QPointer<QWidget>> m_widgets;
};
