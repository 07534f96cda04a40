// Renders the call history page (the demo phone's calls with names, FaceTime calls and missed ones, a
// search, the empty panel) in English, German and Chinese into PNG files, so its look can be checked
// by eye.
// Usage: calls_screens <output folder>
#include <filesystem>

#include <QApplication>
#include <QTest>

#include "IBaseChunk.h"
#include "LanguageService.h"
#include "QCallsView.h"
#include "ScreensSession.h"

namespace {

const char* const kUdid = "00008101-00000000005CA11E";

void Load(QCallsView& view) {
    view.OnRefresh();
    if (!QTest::qWaitFor(
            [&] { return !view.IsRunning() && view.State() != QBaseDetailsView::ContentState::Loading; },
            10000))
        qWarning("the load did not end");
    QTest::qWait(150);
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ScreensSession session(argc, argv);
    if (!session.GenerateDemo(kUdid, "Screens Phone") || !session.Connect({kUdid}) || !session.Manager(kUdid))
        return 1;
    IVexaManager* manager = session.Manager(kUdid);
    const int handle = session.Handle(kUdid);
    const std::filesystem::path calls =
        session.DeviceFolder(kUdid) / "Library/CallHistoryDB/CallHistory.storedata";
    const std::filesystem::path kept = calls.string() + ".kept";

    for (const auto& language : kScreenLanguages) {
        SetLanguage(language.code);
        {
            QCallsView view(manager, handle);
            view.resize(830, 650);
            view.show();
            Load(view);
            view.GetChunk(1)->SetChecked(true);
            view.OnItemCheckChange(true);
            ScreensSession::Save(&view, session.Picture(QStringLiteral("calls_list"), language.name));
            view.OnSearchString(QStringLiteral("555"));
            ScreensSession::Save(&view, session.Picture(QStringLiteral("calls_search"), language.name));
        }
        std::filesystem::rename(calls, kept);
        {
            QCallsView empty(manager, handle);
            empty.resize(830, 650);
            empty.show();
            Load(empty);
            ScreensSession::Save(&empty, session.Picture(QStringLiteral("calls_empty"), language.name));
        }
        std::filesystem::rename(kept, calls);
    }
    return 0;
}
