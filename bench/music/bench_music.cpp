// The music page and the playlist nodes with 10,000 songs and 100 playlists on a simulated device: the
// press of the Music node to the filled table, the playlist reading to the rebuilt nodes, and the longest
// time the GUI thread went without handling a timer meanwhile. Prints one line per figure with its
// limit, and the same as "BENCH <name> <value> <unit> <limit>".

#include <cstdio>

#include <QApplication>
#include <QElapsedTimer>
#include <QTableView>
#include <QTest>

#include <vexa/vexa.h>

#include "BenchHeartbeat.h"
#include "BenchReport.h"
#include "BenchSimApplication.h"
#include "DeviceSubItem.h"
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

void Settle(QWidget* widget) {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    widget->repaint();
}

} // namespace

int main(int argc, char** argv) {
    const BenchSimApplication application(argc, argv);

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
            BenchHeartbeat heartbeat;
            const double loadMs =
                TimeLoad([&] { music.Start(); }, [&] { return filled; }, [&] { Settle(&music); });
            const double pause = double(heartbeat.Stop(true));
            QObject::disconnect(connection);
            if (music.SortModel()->rowCount() != kSongs) {
                std::fprintf(stderr, "the table shows %d songs\n", music.SortModel()->rowCount());
                result = 1;
            }
            const bool first = round == 0;
            result |= !BenchReportMs(first ? "music_load" : "music_reload",
                                     first ? "Music press to filled table" : "second load to filled table",
                                     loadMs, 500);
            result |= !BenchReportMs(first ? "music_load_gui_pause" : "music_reload_gui_pause",
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
            BenchHeartbeat heartbeat;
            const double ms = TimeLoad([&] { loader.Start(); }, [&] { return rebuilt; },
                                       [&] {
                                           tree.expandAll();
                                           Settle(&tree);
                                       });
            const double pause = double(heartbeat.Stop(true));
            QObject::disconnect(connection);
            if (playlistNode->ChildCount() != kPlaylists) {
                std::fprintf(stderr, "the tree shows %d playlists\n", playlistNode->ChildCount());
                result = 1;
            }
            const bool first = round == 0;
            result |= !BenchReportMs(
                first ? "playlist_nodes" : "playlist_nodes_again",
                first ? "playlist reading to rebuilt nodes" : "second reading to rebuilt nodes", ms, 300);
            result |= !BenchReportMs(first ? "playlist_nodes_gui_pause" : "playlist_nodes_again_gui_pause",
                                     "longest GUI pause during the reading", pause, 100);
        }
        playlistNode->SetBinding({});
    }
    return result;
}
