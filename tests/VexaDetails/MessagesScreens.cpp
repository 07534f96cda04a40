// Renders the messages page (conversation table, bubbles in both directions, the paging row, the empty
// panel) in English, German and Chinese into PNG files, so its look can be checked by eye.
// Usage: messages_screens <output folder>
#include <atomic>
#include <filesystem>

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include <vexa/vexa.h>

#include "IBaseChunk.h"
#include "LanguageService.h"
#include "QMessageFlow.h"
#include "QPagedFlowViewerWidget.h"
#include "qmessageView.h"
#include "sim/ContentServices.h"

namespace {

const char* const kUdid = "00008101-00000000005C4EE3";
std::atomic<int> g_handle{0};

int OnDevice(int mode, int handle) {
    if (mode == VEXA_DEVICE_ARRIVED)
        g_handle = handle;
    return 0;
}

std::vector<vexa::sim::SimConversation> Samples() {
    using vexa::sim::SimConversation;
    SimConversation ann{"+1 555 0101", "Ann Lee", {}};
    const char* lines[] = {
        "Are we still on for dinner tonight?",
        "Yes! 7 pm at the usual place?",
        "Perfect. I'll bring the photos from the trip.",
        "Great, can't wait to see them. The ones from the lake must be amazing, especially "
        "the sunset pictures you told me about last week.",
        "Running 10 minutes late, sorry!",
        "No problem, see you soon"};
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

void Save(QWidget* widget, const QString& path) {
    QTest::qWait(80);
    if (!widget->grab().save(path))
        qWarning("can't save %s", qPrintable(path));
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QString output = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("screens");
    QDir().mkpath(output);
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", home.filePath(QStringLiteral("config")).toLocal8Bit());
    qputenv("VEXA_SIM_ROOT", home.filePath(QStringLiteral("simulator")).toLocal8Bit());
    qputenv("VEXA_BACKEND", "sim");
    SetAppDirPathForTesting(QStringLiteral(VEXA_BIN_DIR));

    const std::filesystem::path root = home.filePath(QStringLiteral("simulator")).toStdString();
    std::filesystem::create_directories(root);
    vexa::sim::LargeDeviceSpec spec;
    spec.udid = kUdid;
    spec.name = "Screens Phone";
    if (vexa::sim::GenerateLargeDevice(root, spec) != 0)
        return 1;
    IOSInitialize();
    IOSListener(OnDevice);
    if (!QTest::qWaitFor([] { return g_handle != 0; }, 10000))
        return 1;
    IVexaManager* manager = GetVexaManager();
    if (manager->SetDeviceHandle(g_handle) != 0)
        return 1;

    const struct {
        int code;
        const char* name;
    } languages[] = {{31, "en"}, {42, "de"}, {25, "zh"}};
    for (const auto& language : languages) {
        SetLanguage(language.code);
        vexa::sim::ReplaceConversations(root / kUdid, Samples());
        {
            qmessageView view(manager, g_handle);
            view.resize(1000, 620);
            view.show();
            Load(view);
            view.GetChunk(1)->SetChecked(true);
            view.OnItemCheckChange(true);
            QPagedFlowViewerWidget* paged = view.Flow()->PagedFlow();
            Save(&view, QStringLiteral("%1/messages_page1_%2.png").arg(output, language.name));
            paged->OnClickBtnNext();
            paged->OnClickBtnNext();
            paged->PageCheck()->click();
            Save(&view, QStringLiteral("%1/messages_page3_%2.png").arg(output, language.name));
            view.Flow()->Table()->setCurrentIndex(view.Flow()->Table()->model()->index(2, 0));
            Save(&view, QStringLiteral("%1/messages_chinese_%2.png").arg(output, language.name));
        }
        vexa::sim::ReplaceConversations(root / kUdid, {});
        {
            qmessageView empty(manager, g_handle);
            empty.resize(1000, 620);
            empty.show();
            Load(empty);
            Save(&empty, QStringLiteral("%1/messages_empty_%2.png").arg(output, language.name));
        }
    }
    DeleteVexaManager(&manager);
    IOSListener(nullptr);
    return 0;
}
