// Renders the messages page (conversation table, bubbles in both directions, the paging row, the empty
// panel) in English, German and Chinese into PNG files, so its look can be checked by eye.
// Usage: messages_screens <output folder>
#include <QApplication>
#include <QCheckBox>
#include <QTableView>
#include <QTest>

#include "IBaseChunk.h"
#include "LanguageService.h"
#include "QMessageFlow.h"
#include "QPagedFlowViewerWidget.h"
#include "ScreensSession.h"
#include "qmessageView.h"

namespace {

const char* const kUdid = "00008101-00000000005C4EE3";

std::vector<vexa::sim::SimConversation> Samples() {
    using vexa::sim::SimConversation;
    SimConversation ann{"+1 555 0101", "Ann Lee", {}};
    const char* lines[] = {
        "Are we still on for dinner tonight?",
        "Yes! 7 pm at the usual place?",
        "Perfect. I'll bring the photos from the trip.",
        "Great, can't wait to see them. The ones from the lake must be amazing, especially "
        "the sunset pictures you told me about last week.",
        "Running 10 minutes late, sorry!\nParking now.\nSee you in five.",
        "No problem!\nI'll order for us both.\nSee you soon"};
    for (int m = 0; m < 45; ++m)
        ann.messages.push_back(
            {uint8_t(m % 2),
             "2026-03-0" + std::to_string(1 + m / 20) + " 18:" + std::to_string(10 + m) + ":00",
             lines[m % 6]});
    return {ann,
            {"+49 30 123456",
             "Jürgen Müller",
             {{0, "2026-02-14 09:30:00", "Grüße aus Berlin! Wie geht's?"},
              {1, "2026-02-14 09:41:00", "Gut, danke. Bis Freitag!"}}},
            {"+86 138 0000 0000",
             "王小明",
             {{0, "2026-01-20 12:00:00", "你好，明天见。"}, {1, "2026-01-20 12:05:00", "好的，明天见！"}}},
            {"+1 555 0177", std::nullopt, {{0, "2026-01-02 07:00:00", "Your code is 481516"}}},
            {"+33 6 12 34 56 78", "Chloé Dupont", {}}};
}

void Load(qmessageView& view) {
    view.OnEmitRefresh();
    if (!QTest::qWaitFor([&] { return !view.IsRunning(); }, 10000))
        qWarning("the load did not end");
    QTest::qWait(150);
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ScreensSession session(argc, argv);
    vexa::sim::LargeDeviceSpec spec;
    spec.udid = kUdid;
    spec.name = "Screens Phone";
    if (!session.Generate(spec) || !session.Connect({kUdid}) || !session.Manager(kUdid))
        return 1;
    IVexaManager* manager = session.Manager(kUdid);
    const int handle = session.Handle(kUdid);

    for (const auto& language : kScreenLanguages) {
        SetLanguage(language.code);
        vexa::sim::ReplaceConversations(session.DeviceFolder(kUdid), Samples());
        {
            qmessageView view(manager, handle);
            view.resize(830, 650);
            view.show();
            Load(view);
            view.GetChunk(1)->SetChecked(true);
            view.OnItemCheckChange(true);
            QPagedFlowViewerWidget* paged = view.Flow()->PagedFlow();
            ScreensSession::Save(&view, session.Picture(QStringLiteral("messages_page1"), language.name));
            paged->OnClickBtnNext();
            paged->OnClickBtnNext();
            paged->PageCheck()->click();
            ScreensSession::Save(&view, session.Picture(QStringLiteral("messages_page3"), language.name));
            view.Flow()->Table()->setCurrentIndex(view.Flow()->Table()->model()->index(2, 0));
            ScreensSession::Save(&view, session.Picture(QStringLiteral("messages_chinese"), language.name));
        }
        vexa::sim::ReplaceConversations(session.DeviceFolder(kUdid), {});
        {
            qmessageView empty(manager, handle);
            empty.resize(830, 650);
            empty.show();
            Load(empty);
            ScreensSession::Save(&empty, session.Picture(QStringLiteral("messages_empty"), language.name));
        }
    }
    return 0;
}
