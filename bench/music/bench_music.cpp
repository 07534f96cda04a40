// The music page and the playlist nodes with 10,000 songs and 100 playlists on a simulated device: the
// press of the Music node to the filled table, the playlist reading to the rebuilt nodes, and the longest
// time the GUI thread went without handling a timer meanwhile. Prints one line per figure with its
// limit, and the same as "BENCH <name> <value> <unit> <limit>".

#include <algorithm>
#include <cstdio>
#include <functional>

#include <QApplication>
#include <QElapsedTimer>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <vexa/vexa.h>

#include "BenchMessageCloser.h"
#include "BenchReport.h"
#include "DeviceSubItem.h"
#include "LanguageService.h"
#include "QMusicTreeNodes.h"
#include "QMusicView.h"
#include "QMySortModel.h"
#include "QPlayAnalysisTread.h"
#include "QPlayListView.h"
#include "SimPhone.h"
#include "TreeModel.h"
#include "TreeNode.h"
#include "TreeView.h"
#include "sim/ContentServices.h"

namespace {

constexpr int kSongs = 10000;
constexpr int kPlaylists = 100;
bool Report(const char* name, const char* what, double ms, double limitMs) {
    std::printf("%-44s %9.1f ms  (limit %6.0f ms)  %s\n", what, ms, limitMs, ms <= limitMs ? "ok" : "OVER");
    std::fflush(stdout);
    return BenchFigure(name, ms, "ms", limitMs);
}

void ProcessUntil(const std::function<bool()>& done, int timeoutMs) {
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < timeoutMs)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

void Settle(QWidget* widget) {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    widget->repaint();
}

// The longest gap between two ticks of a 2 ms timer while it runs: how long the GUI thread was busy.
class Heartbeat {
public:
    Heartbeat() {
        m_ticker.setInterval(2);
        QObject::connect(&m_ticker, &QTimer::timeout,
                         [this] { m_longest = std::max(m_longest, m_beat.restart()); });
        m_beat.start();
        m_ticker.start();
    }
    qint64 Longest() {
        // The gap that is open now counts as well.
        const qint64 since = m_beat.elapsed();
        ProcessUntil([&] { return m_beat.elapsed() < since; }, 1000);
        m_ticker.stop();
        return m_longest;
    }

private:
    QTimer m_ticker;
    QElapsedTimer m_beat;
    qint64 m_longest = 0;
};

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir home;
    qputenv("VEXA_SIM_ROOT", QFile::encodeName(home.filePath(QStringLiteral("simulator"))));
    qputenv("VEXA_BACKEND", "sim");
    QApplication app(argc, argv);
    SetAppDirPathForTesting(QCoreApplication::applicationDirPath() + QStringLiteral("/../bin"));
    const BenchMessageCloser messageCloser;

    QElapsedTimer clock;
    clock.start();
    vexa::sim::LargeDeviceSpec spec;
    spec.udid = "00008101-000000000B0C0A88";
    spec.name = "Bench Phone";
    spec.songs = kSongs;
    SimPhone phone;
    if (!phone.Plug(spec))
        return 1;
    IVexaManager* manager = phone.Manager();
    // The generator makes a few playlists; the rest are made as a user would.
    int count = 0;
    PlaylistRecord* playlists = nullptr;
    manager->GetMediaLibrary()->GetPlaylists(&count, &playlists);
    for (int p = count; p <= kPlaylists; ++p) {
        const QString name = QStringLiteral("Bench List %1").arg(p);
        manager->GetMediaLibrary()->AddPlaylist(reinterpret_cast<const char16_t*>(name.utf16()));
    }
    std::printf("made and plugged in %d songs and %d playlists in %.1f s\n", kSongs, kPlaylists,
                double(clock.elapsed()) / 1000.0);

    int result = 0;
    {
        QMusicView music(manager, phone.Handle());
        music.resize(1000, 700);
        music.show();
        if (!QTest::qWaitForWindowExposed(&music))
            std::fprintf(stderr, "the music page was not shown\n");
        for (int round = 0; round < 2; ++round) {
            bool filled = false;
            const auto connection =
                QObject::connect(&music, &QMusicView::emitRefreshMusicNode, [&] { filled = true; });
            Heartbeat heartbeat;
            clock.restart();
            music.Start();
            ProcessUntil([&] { return filled; }, 60000);
            Settle(&music);
            const double loadMs = double(clock.nsecsElapsed()) / 1e6;
            const double pause = double(heartbeat.Longest());
            QObject::disconnect(connection);
            if (music.SortModel()->rowCount() != kSongs) {
                std::fprintf(stderr, "the table shows %d songs\n", music.SortModel()->rowCount());
                result = 1;
            }
            const bool first = round == 0;
            result |=
                !Report(first ? "music_load" : "music_reload",
                        first ? "Music press to filled table" : "second load to filled table", loadMs, 500);
            result |= !Report(first ? "music_load_gui_pause" : "music_reload_gui_pause",
                              "longest GUI pause during the load", pause, 100);
        }
    }
    {
        TreeModel model;
        TreeView tree;
        tree.setModel(&model);
        auto* playlistNode = new TreeNode(SUB_ITEM_PLAYLIST, QStringLiteral("Playlist"));
        model.AppendNode(model.Root(), playlistNode);
        QPlayAnalysisTread loader(manager, phone.Handle());
        QPlayListView view(manager, phone.Handle());
        view.SetLoader(&loader);
        playlistNode->SetBinding({&view, &loader});
        QMusicTreeNodes nodes(
            &model, [&](int, int kind) { return kind == SUB_ITEM_PLAYLIST ? playlistNode : nullptr; });
        QObject::connect(&loader, &QPlayAnalysisTread::refreshPlayList,
                         [&] { nodes.Rebuild(playlistNode, &loader); });
        tree.resize(240, 700);
        tree.show();
        tree.expandAll();
        for (int round = 0; round < 2; ++round) {
            bool rebuilt = false;
            const auto connection =
                QObject::connect(&loader, &QPlayAnalysisTread::refreshPlayList, [&] { rebuilt = true; });
            Heartbeat heartbeat;
            clock.restart();
            loader.Start();
            ProcessUntil([&] { return rebuilt; }, 60000);
            tree.expandAll();
            Settle(&tree);
            const double ms = double(clock.nsecsElapsed()) / 1e6;
            const double pause = double(heartbeat.Longest());
            QObject::disconnect(connection);
            if (playlistNode->ChildCount() != kPlaylists) {
                std::fprintf(stderr, "the tree shows %d playlists\n", playlistNode->ChildCount());
                result = 1;
            }
            const bool first = round == 0;
            result |= !Report(first ? "playlist_nodes" : "playlist_nodes_again",
                              first ? "playlist reading to rebuilt nodes" : "second reading to rebuilt nodes",
                              ms, 300);
            result |= !Report(first ? "playlist_nodes_gui_pause" : "playlist_nodes_again_gui_pause",
                              "longest GUI pause during the reading", pause, 100);
        }
        playlistNode->SetBinding({});
    }
    return result;
}
