#include <filesystem>
#include <memory>

#include <QApplication>
#include <QFile>
#include <QMimeData>
#include <QPushButton>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include <vexa/vexa.h>

#include "CPreviewCopy.h"
#include "CiTunesMediaFolder.h"
#include "DeviceSubItem.h"
#include "LanguageService.h"
#include "ModelTexts.h"
#include "PageFixture.h"
#include "PlaylistEntry.h"
#include "QDropFileMimeData.h"
#include "QMusicPlayListChunk.h"
#include "QMusicPlayListModel.h"
#include "QMusicTreeNodes.h"
#include "QMusicView.h"
#include "QMySortModel.h"
#include "QPlayAnalysisTread.h"
#include "QPlayListNameDlg.h"
#include "QPlayListStatusPanel.h"
#include "QPlayListView.h"
#include "QSongPlayer.h"
#include "SendDrop.h"
#include "TestFiles.h"
#include "TreeModel.h"
#include "TreeNode.h"
#include "WriteInfoToItunesXML.h"
#include "formats/AudioFile.h"
#include "sim/ContentServices.h"

namespace fs = std::filesystem;

namespace {

const char* const kUdid = "00008101-0000000000MUSIC1";
const QString kAddFailed = QStringLiteral("Add musci fialed!");

// An iTunes library document whose top-level dictionary holds `entries` (key and value elements).
QByteArray Library(const QString& entries) {
    return QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\">\n<dict>\n%1\n"
                          "</dict>\n</plist>\n")
        .arg(entries)
        .toUtf8();
}

QString MusicFolderEntry(const QString& url) {
    return QStringLiteral("<key>Application Version</key><string>12.9</string>"
                          "<key>Music Folder</key><string>%1</string><key>Library Persistent ID</key>"
                          "<string>1A2B</string>")
        .arg(url);
}

} // namespace

class tst_music : public QObject, PageFixture {
    Q_OBJECT
private slots:
    void initTestCase() {
        vexa::sim::LargeDeviceSpec spec;
        // The preview plays into no sound card.
        qputenv("MEDIACORE_NULL_OUTPUT", "1");
        spec.songs = 12;
        QVERIFY(StartPage(kUdid, "Music Phone", spec));
        MakePages();
    }

    void cleanupTestCase() {
        delete m_music.data();
        delete m_playlistView.data();
        delete m_loader.data();
        delete m_treeNodes;
        delete m_tree;
        StopPage();
    }

    void init() { ResetMessages(); }

    void cleanup() { ClearFaults(); }

    void timeAndSizeTextsAtTheirEdges_data() {
        QTest::addColumn<qint64>("value");
        QTest::addColumn<QString>("time");
        QTest::addColumn<QString>("size");
        const auto row = [](const char* name, qint64 value, const char* time, const char* size) {
            QTest::newRow(name) << value << QString::fromLatin1(time) << QString::fromLatin1(size);
        };
        row("zero", 0, "00:00", "0.00 MB");
        row("just under a second and a megabyte", 999, "00:00", "0.00 MB");
        row("an hour is dropped", 3723000, "02:03", "3.55 MB");
        row("61 minutes", 61 * 60000, "01:00", "3.49 MB");
        row("one and a half megabytes", 1572864, "26:12", "1.50 MB");
        row("largest the library gives", INT32_MAX, "31:23", "2048.00 MB");
    }

    void timeAndSizeTextsAtTheirEdges() {
        QFETCH(qint64, value);
        QFETCH(QString, time);
        QFETCH(QString, size);
        QCOMPARE(QMusicPlayListChunk::TimeText(value), time);
        QCOMPARE(QMusicPlayListChunk::SizeText(value), size);
    }

    void iTunesFolderLookup_data() {
        QTest::addColumn<QString>("document"); // "%1" stands for the temporary folder
        QTest::addColumn<QStringList>("subfolders");
        QTest::addColumn<QStringList>("expected"); // relative to the temporary folder
        const QStringList media = {"iTunes Media/iTunes Music", "iTunes Media/Books"};
        QTest::newRow("escaped space")
            << MusicFolderEntry(QStringLiteral("file://localhost%1/iTunes%20Media/")) << media
            << QStringList{"iTunes Media/iTunes Music"};
        QTest::newRow("no prefix, used as it is") << MusicFolderEntry(QStringLiteral("%1/iTunes Media"))
                                                  << media << QStringList{"iTunes Media/iTunes Music"};
        QTest::newRow("two matching subfolders")
            << MusicFolderEntry(QStringLiteral("file://localhost%1/Lib/"))
            << QStringList{"Lib/iTunes Music", "Lib/Old iTunes", "Lib/itunes"}
            << QStringList{"Lib/Old iTunes", "Lib/iTunes Music"};
        QTest::newRow("key is the last element")
            << QStringLiteral("<key>Application Version</key><string>12</string><key>Music Folder</key>")
            << media << QStringList();
        QTest::newRow("no key") << QStringLiteral("<key>Application Version</key><string>12</string>")
                                << media << QStringList();
        QTest::newRow("not XML") << QStringLiteral("<<<not xml") << media << QStringList();
        QTest::newRow("no library file") << QString() << media << QStringList();
        QTest::newRow("no matching subfolder")
            << MusicFolderEntry(QStringLiteral("%1/Plain")) << QStringList{"Plain/Music"} << QStringList();
    }

    void iTunesFolderLookup() {
        QFETCH(QString, document);
        QFETCH(QStringList, subfolders);
        QFETCH(QStringList, expected);
        QTemporaryDir root;
        for (const QString& folder : subfolders)
            QVERIFY(QDir(root.path()).mkpath(folder));
        const CiTunesMediaFolder lookup(root.filePath("Music"));
        if (!document.isNull()) {
            const QByteArray text =
                document.startsWith(QLatin1Char('<')) && !document.startsWith(QLatin1String("<<<"))
                    ? Library(document.arg(root.path()))
                    : document.toUtf8();
            QVERIFY(WriteFile(lookup.LibraryFile(), text));
        }
        QStringList found = lookup.Folders();
        found.sort();
        QStringList wanted;
        for (const QString& folder : expected)
            wanted << root.filePath(folder);
        QCOMPARE(found, wanted);
        // The XML lookup object stops at the first match.
        const QStringList first = WriteInfoToItunesXML(nullptr, root.filePath("Music")).GetiTunesFolders();
        QCOMPARE(first.size(), qMin(qsizetype(1), wanted.size()));
        if (!first.isEmpty())
            QVERIFY(wanted.contains(first.first()));
    }

    void folderUrlDecoding_data() {
        QTest::addColumn<QString>("url");
        QTest::addColumn<QString>("path");
        const auto row = [](const char* name, const char* url, const char* path) {
            QTest::newRow(name) << QString::fromUtf8(url) << QString::fromUtf8(path);
        };
        row("linux", "file://localhost/home/u/Music/iTunes/iTunes%20Media/",
            "/home/u/Music/iTunes/iTunes Media/");
        row("windows drive", "file://localhost/C:/Users/u/Music/iTunes/iTunes%20Media/",
            "C:/Users/u/Music/iTunes/iTunes Media/");
        row("utf-8 bytes", "file://localhost/home/J%C3%BCrgen/M%c3%bcsik", "/home/Jürgen/Müsik");
        row("percent at the end", "/music/100%", "/music/100%");
        row("percent without hex", "/a%zzb", "/a%zzb");
    }

    void folderUrlDecoding() {
        QFETCH(QString, url);
        QFETCH(QString, path);
        QCOMPARE(CiTunesMediaFolder::DecodeFolderUrl(url), path);
    }

    void playlistNamesAreChecked_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("usable");
        QTest::newRow("preset") << QString() << true;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("blanks only") << "   " << false;
        QTest::newRow("1000 characters") << QString(1000, QLatin1Char('x')) << false;
        QTest::newRow("255 characters") << QString(255, QLatin1Char('x')) << true;
        QTest::newRow("already used, other case") << "road trip" << false;
    }

    void playlistNamesAreChecked() {
        QFETCH(QString, name);
        QFETCH(bool, usable);
        QPlayListNameDlg dialog;
        dialog.SetExistingNames({"Road Trip"});
        QCOMPARE(dialog.PlayListName(), QStringLiteral("New Playlist"));
        if (!name.isNull())
            dialog.SetPlayListName(name);
        QCOMPARE(dialog.Problem().isEmpty(), usable);
        dialog.show();
        dialog.OnBtnOk();
        QCOMPARE(dialog.result(), usable ? 1 : 0);
        // A refused name is explained, never silently dropped (an empty one simply cannot be confirmed).
        QCOMPARE(m_messages->Saw(dialog.Problem()), !usable && !name.trimmed().isEmpty());
        QCOMPARE(dialog.findChild<QPushButton*>("m_btnOk")->isEnabled(),
                 !name.trimmed().isEmpty() || name.isNull());
    }

    void musicPageListsTheLibraryWithOtherAudio() {
        LoadMusic();
        int count = 0;
        PlaylistRecord* playlists = nullptr;
        QCOMPARE(m_manager->GetMediaLibrary()->GetPlaylists(&count, &playlists), 0);
        int audio = 0;
        for (int i = 0; i < playlists[0].trackCount; ++i)
            audio += playlists[0].tracks[i].mediaKind == MEDIA_SONG ||
                     playlists[0].tracks[i].mediaKind == MEDIA_AUDIO_OTHER;
        QCOMPARE(m_music->GetChunkCount(), audio);
        QCOMPARE(m_music->State(), QBaseDetailsView::ContentState::Table);
        // Every song points back at its place in the library.
        for (int row = 0; row < m_music->GetChunkCount(); ++row) {
            auto* song = static_cast<QMusicPlayListChunk*>(m_music->GetChunk(row));
            QCOMPARE(song->GetPlaylistPosition(), 0);
            const MediaTrackRecord& track = playlists[0].tracks[song->GetItemPosition()];
            QCOMPARE(song->GetName(), std::string(track.title));
            QCOMPARE(song->path, std::string(track.path));
        }
        ReadPlaylists();
        QCOMPARE(m_loader->PlaylistCount(), count);
        QCOMPARE(m_playlistNode->ChildCount(), count - 1);
        const PlaylistEntry* first = m_loader->Entry(1);
        QCOMPARE(
            m_playlistNode->Child(0)->Text(),
            QStringLiteral("%1 (%2)").arg(QString::fromStdString(first->Name())).arg(first->SongCount()));
    }

    void addedSongsAppearWithTheirTagsAndPlayOnTheDevice() {
        const int before = LoadedCount();
        const QString mp3 = Song(
            QStringLiteral("first.mp3"),
            {.seconds = 4, .title = "Über Blue", .artist = "Ana Vey", .album = "Coast", .genre = "Jazz"});
        const QString m4a =
            Song(QStringLiteral("second.m4a"),
                 {.seconds = 2, .title = "Second Song", .artist = "Bo", .album = "Hills", .genre = "Folk"});
        // An audio book is listed with the music, but never taken into a playlist.
        const QString chapter = Song(QStringLiteral("chapter.m4a"), {.seconds = 1, .title = "Chapter One"});
        const QString book = m_files.filePath("chapter.m4b");
        QVERIFY(QFile::rename(chapter, book));
        QVERIFY(!mp3.isEmpty() && !m4a.isEmpty());
        AddThroughMusicPage({mp3, m4a, book});
        QVERIFY2(m_messages->Messages().isEmpty(), qPrintable(m_messages->Messages().join(QLatin1Char('|'))));
        QCOMPARE(m_music->GetChunkCount(), before + 3);

        const int row = RowOf(QString::fromUtf8("Über Blue"));
        QVERIFY(row >= 0);
        QCOMPARE(QStringList({Cell(row, QMusicPlayListModel::ColumnArtist),
                              Cell(row, QMusicPlayListModel::ColumnAlbum),
                              Cell(row, QMusicPlayListModel::ColumnTime),
                              Cell(row, QMusicPlayListModel::ColumnSize),
                              Cell(row, QMusicPlayListModel::ColumnFormat)}),
                 QStringList({"Ana Vey", "Coast", "00:04",
                              QMusicPlayListChunk::SizeText(QFileInfo(mp3).size()), "MPEG audio file"}));
        {
            // The kind of file is shown in the language chosen.
            auto restore = qScopeGuard([] {
                SetLanguage(31);
                RemoveTranslationsForTesting();
            });
            QVERIFY(SetLanguage(42));
            QCOMPARE(Cell(row, QMusicPlayListModel::ColumnFormat), QStringLiteral("MPEG-Audiodatei"));
        }

        // The device keeps a real, playable file, and the genre from its tags.
        const QString stored = DevicePathToLocal(m_music->SongAtRow(row)->path);
        const QString probe =
            RunProgram("ffprobe", {"-v", "error", "-show_entries", "stream=codec_name:format=duration", "-of",
                                   "csv=p=0", stored});
        QVERIFY2(probe.startsWith(QLatin1String("mp3")), qPrintable(probe));
        QVERIFY2(qAbs(probe.section(QLatin1Char('\n'), 1).toDouble() - 4.0) < 0.2, qPrintable(probe));
        const QString genre = RunProgram(
            QStringLiteral("sqlite3"),
            {QString::fromStdString(MediaDb().string()),
             QStringLiteral(
                 "SELECT DISTINCT g.genre FROM item i JOIN item_extra e ON e.item_pid = i.item_pid "
                 "JOIN genre g ON g.genre_id = i.genre_id WHERE e.title = 'Second Song'")});
        QCOMPARE(genre, QStringLiteral("Folk"));

        ReadPlaylists();
        for (IBaseChunk* chunk : *m_loader->Entry(0)->Songs())
            QVERIFY(chunk->GetName() != "Chapter One");
        QVERIFY(RowOf("Chapter One") >= 0);
    }

    void filesThatAreNotAudioAddNothing() {
        const int before = LoadedCount();
        const QStringList filesBefore = DeviceMusicFiles();
        const QString good = Song(QStringLiteral("good.mp3"), {.seconds = 3, .title = "Good"});
        const QString truncated = m_files.filePath("truncated.mp3");
        QVERIFY(WriteFile(truncated, ReadFile(good).left(200)));
        const QString text = m_files.filePath("notes.mp3");
        QVERIFY(WriteFile(text, QByteArray("Shopping list: milk, bread, eggs.\n").repeated(40)));
        const QString empty = m_files.filePath("empty.mp3");
        QVERIFY(WriteFile(empty, QByteArray()));
        for (const QString& bad : {truncated, text, empty}) {
            m_messages->Clear();
            AddThroughMusicPage({good, bad});
            QCOMPARE(m_messages->Messages(), QStringList{kAddFailed});
            QCOMPARE(m_music->GetChunkCount(), before);
            QCOMPARE(DeviceMusicFiles(), filesBefore);
        }
    }

    void brokenMediaDatabaseGivesItsMessage() {
        const QString song = Song(QStringLiteral("db.mp3"), {.seconds = 2, .title = "Db"});
        const struct {
            const char* udid;
            bool missing;
            QString message;
        } cases[] = {
            {"00008101-00000000MISSINGDB", true, "CDB file is not find! please open the iTunes to repair!"},
            {"00008101-00000000DAMAGEDDB", false, "CDB file was damaged, please open the iTunes to repair!"}};
        for (const auto& broken : cases) {
            // The phone arrives with its media database already missing or damaged.
            QTemporaryDir staging;
            vexa::sim::LargeDeviceSpec spec;
            spec.udid = broken.udid;
            spec.name = "Broken Phone";
            spec.songs = 1;
            QCOMPARE(vexa::sim::GenerateLargeDevice(staging.path().toStdString(), spec), 0);
            const QString database = staging.filePath(
                QStringLiteral("%1/Media/iTunes_Control/iTunes/MediaLibrary.sqlitedb").arg(broken.udid));
            QVERIFY(QFile::remove(database));
            if (!broken.missing)
                QVERIFY(WriteFile(database, QByteArray("this is not a database").repeated(100)));
            const int before = SimPhone::LastArrived();
            QVERIFY(QDir().rename(staging.filePath(QString::fromLatin1(broken.udid)),
                                  m_phone.Root() + QLatin1Char('/') + QString::fromLatin1(broken.udid)));
            QTRY_VERIFY_WITH_TIMEOUT(SimPhone::LastArrived() != before, 10000);
            const int arrived = SimPhone::LastArrived();
            IVexaManager* manager = GetVexaManager();
            QCOMPARE(manager->SetDeviceHandle(arrived), 0);
            {
                QMusicView page(manager, arrived);
                m_messages->Clear();
                m_treeNodes->OnAddMusic(0, {song}, &page);
                QVERIFY2(m_messages->Saw(broken.message),
                         qPrintable(m_messages->Messages().join(QLatin1Char('|'))));
                QTRY_VERIFY_WITH_TIMEOUT(!m_music->IsRunning() && !m_loader->IsRunning(), 15000);
            }
            DeleteVexaManager(&manager);
            QVERIFY(QDir(m_phone.Root() + QLatin1Char('/') + QString::fromLatin1(broken.udid))
                        .removeRecursively());
        }
    }

    void deletedSongLeavesWithItsFile() {
        const int before = LoadedCount();
        QVERIFY(before >= 2);
        auto* song = static_cast<QMusicPlayListChunk*>(m_music->GetChunk(1));
        const QString file = DevicePathToLocal(song->path);
        QVERIFY(QFile::exists(file));
        for (int row = 0; row < before; ++row)
            m_music->GetChunk(row)->SetChecked(row == 1);
        m_messages->SetAnswerYes(true);
        QSignalSpy refreshed(m_music.data(), &QMusicView::emitRefreshMusicNode);
        m_music->DeleteMusicFile();
        QTRY_VERIFY_WITH_TIMEOUT(!refreshed.isEmpty() && !m_music->IsRunning(), 15000);
        QCOMPARE(m_messages->Messages(), QStringList{"Are you sure to delete the selected item(s)?"});
        QCOMPARE(m_music->GetChunkCount(), before - 1);
        QVERIFY(!QFile::exists(file));

        // Answering no leaves everything as it was.
        m_messages->SetAnswerYes(false);
        m_music->GetChunk(0)->SetChecked(true);
        m_music->DeleteMusicFile();
        QCOMPARE(m_music->GetChunkCount(), before - 1);
        m_music->GetChunk(0)->SetChecked(false);
        m_messages->Clear();
        m_music->DeleteMusicFile();
        QCOMPARE(m_messages->Messages(), QStringList{"Please choose any of items to delete!"});
    }

    void playlistsRoundTripThroughReloadButNotTheDefaultOne() {
        ReadPlaylists();
        const int before = m_loader->PlaylistCount();
        QSignalSpy refreshed(m_loader.data(), &QPlayAnalysisTread::refreshPlayList);
        m_loader->AddPlaylistName(before, QStringLiteral("Road Trip"));
        QTRY_VERIFY_WITH_TIMEOUT(!refreshed.isEmpty() && !m_loader->IsRunning(), 15000);
        QCOMPARE(m_loader->PlaylistCount(), before + 1);
        const int position = before;
        QCOMPARE(QString::fromStdString(m_loader->Entry(position)->Name()), QStringLiteral("Road Trip"));
        QCOMPARE(m_playlistNode->Child(position - 1)->Text(), QStringLiteral("Road Trip (0)"));

        // A song added on the playlist's page goes into the library and into that playlist.
        m_treeNodes->OnNodePressed(m_playlistNode->Child(position - 1));
        QCOMPARE(m_playlistView->CurrentPosition(), position);
        const QString song = Song(QStringLiteral("trip.m4a"), {.seconds = 2, .title = "On The Road"});
        refreshed.clear();
        emit m_playlistView->sendAddComputerFile(m_playlistView->CurrentPosition(), {song}, m_loader);
        QTRY_VERIFY_WITH_TIMEOUT(!refreshed.isEmpty() && !m_loader->IsRunning(), 15000);
        QVERIFY(m_messages->Messages().isEmpty());

        // A loader of its own reads the device afresh.
        QPlayAnalysisTread fresh(m_manager, m_phone.Handle());
        QSignalSpy freshRead(&fresh, &QPlayAnalysisTread::refreshPlayList);
        fresh.Start();
        QTRY_VERIFY_WITH_TIMEOUT(!freshRead.isEmpty(), 15000);
        PlaylistEntry* trip = fresh.Entry(position);
        QVERIFY(trip);
        QCOMPARE(trip->SongCount(), 1);
        QCOMPARE(trip->Songs()->front()->GetName(), std::string("On The Road"));
        QCOMPARE(m_playlistNode->Child(position - 1)->Text(), QStringLiteral("Road Trip (1)"));
        QCOMPARE(m_playlistView->GetChunkCount(), 1);

        refreshed.clear();
        m_treeNodes->DeletePlaylist(m_playlistNode->Child(position - 1));
        QTRY_VERIFY_WITH_TIMEOUT(!refreshed.isEmpty() && !m_loader->IsRunning(), 15000);
        freshRead.clear();
        fresh.Start();
        QTRY_VERIFY_WITH_TIMEOUT(!freshRead.isEmpty(), 15000);
        QCOMPARE(fresh.PlaylistCount(), before);
        QVERIFY(!fresh.PlaylistNames().contains(QStringLiteral("Road Trip")));
        QCOMPARE(m_playlistNode->ChildCount(), before - 1);

        // The default playlist cannot be deleted: any call would fail and say so.
        m_messages->Clear();
        QCOMPARE(AddFault({.operation = "DeletePlaylist", .code = 7}), 0);
        m_loader->deletePlayList(0);
        QTRY_COMPARE(m_messages->Messages(), QStringList{"You can't delete the default playlist!"});
        QTRY_VERIFY(!m_loader->IsRunning());
        QCOMPARE(m_loader->PlaylistCount(), before);
    }

    void toiTunesFillsEveryMediaFolderOrSaysNone() {
        LoadMusic();
        QTemporaryDir music;
        // The music folder comes from the user's folder settings.
        const QString settings = qEnvironmentVariable("XDG_CONFIG_HOME") + QStringLiteral("/user-dirs.dirs");
        QVERIFY(WriteFile(settings, QStringLiteral("XDG_MUSIC_DIR=\"%1\"\n").arg(music.path()).toUtf8()));
        QCOMPARE(QStandardPaths::writableLocation(QStandardPaths::MusicLocation), music.path());

        auto* song = static_cast<QMusicPlayListChunk*>(m_music->GetChunk(0));
        for (int row = 0; row < m_music->GetChunkCount(); ++row)
            m_music->GetChunk(row)->SetChecked(row == 0);
        m_music->TableView()->setCurrentIndex(m_music->SortModel()->index(0, 0));
        m_music->OnItemToiTunes();
        QCOMPARE(m_messages->Messages(), QStringList{"No iTunes media folder was found."});

        const QString media = music.filePath("iTunes/iTunes Media");
        QVERIFY(QDir().mkpath(media + QStringLiteral("/iTunes Music")));
        QVERIFY(QDir().mkpath(media + QStringLiteral("/Old iTunes")));
        QVERIFY(WriteFile(
            CiTunesMediaFolder().LibraryFile(),
            Library(MusicFolderEntry(QStringLiteral("file://localhost") +
                                     QString(media).replace(QLatin1Char(' '), QStringLiteral("%20"))))));
        m_messages->Clear();
        m_music->OnItemToiTunes();
        QVERIFY(m_messages->Messages().isEmpty());
        const QString name = ExportName(song);
        for (const char* folder : {"/iTunes Music/", "/Old iTunes/"}) {
            QFile copy(media + folder + name);
            QVERIFY2(copy.exists(), qPrintable(copy.fileName()));
            QCOMPARE(copy.size(), QFileInfo(DevicePathToLocal(song->path)).size());
        }
        QFile::remove(settings);
    }

    void previewPlaysPausesResumesAndReplacesItsCopy() {
        LoadMusic();
        m_music->show();
        QVERIFY(m_music->PlaySong(0));
        QCOMPARE(m_music->PlayingRow(), 0);
        QTRY_VERIFY_WITH_TIMEOUT(m_music->Player()->PlayTime() > 200, 5000);
        // The play panel of the current row follows the song.
        m_music->TableView()->setCurrentIndex(m_music->SortModel()->index(0, 0));
        QVERIFY(m_music->StatusPanel() && m_music->StatusPanel()->IsPlaying());

        m_music->PauseSong();
        QVERIFY(m_music->Player()->IsPaused());
        QVERIFY(!m_music->StatusPanel()->IsPlaying());
        const QString copy =
            CPreviewCopy::LocalPathFor(static_cast<QMusicPlayListChunk*>(m_music->SongAtRow(0))->path);
        QVERIFY(QFile::remove(copy) || !QFile::exists(copy));
        // A paused song goes on from where it stopped, without a new copy.
        const qint64 pausedAt = m_music->Player()->PlayTime();
        QVERIFY(m_music->PlaySong(0));
        QVERIFY(!QFile::exists(copy));
        QVERIFY(m_music->Player()->PlayTime() >= pausedAt);
        QVERIFY(m_music->StatusPanel()->IsPlaying());

        // Another song, double-clicked, replaces it; hiding the page stops the preview.
        emit m_music->TableView()->doubleClicked(m_music->SortModel()->index(1, 0));
        QCOMPARE(m_music->PlayingRow(), 1);
        QVERIFY(QFile::exists(CPreviewCopy::LocalPathFor(m_music->SongAtRow(1)->path)));
        m_music->hide();
        QVERIFY(!m_music->Player()->IsPlaying());
        QCOMPARE(m_music->PlayingRow(), -1);
        QVERIFY(m_messages->Messages().isEmpty());

        // Each preview copy replaces the last one.
        auto* first = static_cast<QMusicPlayListChunk*>(m_music->GetChunk(0));
        auto* second = static_cast<QMusicPlayListChunk*>(m_music->GetChunk(1));
        const QString local = CPreviewCopy::Copy(m_manager, first->path);
        QCOMPARE(local, CPreviewCopy::Folder() + QStringLiteral("VexaMusic.mp3"));
        QVERIFY(local.startsWith(QDir::tempPath()));
        QCOMPARE(ReadFile(local), ReadFile(DevicePathToLocal(first->path)));
        QCOMPARE(CPreviewCopy::Copy(m_manager, second->path), local);
        QCOMPARE(QFileInfo(local).size(), QFileInfo(DevicePathToLocal(second->path)).size());

        // A song the device does not give is not played, and the user is told.
        QCOMPARE(AddFault({.operation = "CopyFileToComputer", .code = 7}), 0);
        QVERIFY(!m_music->PlaySong(0));
        QCOMPARE(m_messages->Messages(), QStringList{"Can't play"});
        QCOMPARE(m_music->PlayingRow(), -1);
        QVERIFY(!QFile::exists(local));
    }

    void dragOutCopiesTheChosenSongsOnlyWhenAskedAndReportsWhatFailed() {
        LoadMusic();
        const QString temporary = m_files.filePath("tmp-drag");
        QVERIFY(QDir().mkpath(temporary));
        const TemporaryFolder redirect(temporary);
        QTableView* table = m_music->TableView();
        QVERIFY(table->dragEnabled());
        QVERIFY(m_music->SortModel()->rowCount() >= 6);
        for (int row = 0; row < m_music->GetChunkCount(); ++row)
            m_music->GetChunk(row)->SetChecked(false);

        // Two selected rows (a checked row elsewhere does not come along while none of them is checked).
        m_music->SongAtRow(4)->SetChecked(true);
        SelectOnly(table, {0, 2});
        std::unique_ptr<QDropFileMimeData> data(m_music->PrepareDrag());
        QVERIFY(data);
        QCOMPARE(DragFolders(temporary).size(), 1);
        const QString folder = DragFolders(temporary).constFirst();
        // Offered, not yet copied: the folder stays empty until the target asks for the URLs.
        QVERIFY(data->hasUrls());
        QVERIFY(QDir(folder).isEmpty());
        QVERIFY(!data->HasDropped());
        const QList<QUrl> urls = data->urls();
        QVERIFY(data->DropSucceeded());
        QCOMPARE(urls.size(), 2);
        for (int i = 0; i < 2; ++i) {
            const QMusicPlayListChunk* song = m_music->SongAtRow(i * 2);
            const QString local = urls[i].toLocalFile();
            QCOMPARE(QFileInfo(local).absolutePath(), folder);
            QCOMPARE(QFileInfo(local).fileName(), ExportName(song));
            QCOMPARE(ReadFile(local), ReadFile(DevicePathToLocal(song->path)));
        }
        QCOMPARE(QDir(folder).entryList(QDir::Files).size(), 2);

        // A checked row among the selected ones takes every checked row along, each drag into a folder
        // of its own.
        m_music->SongAtRow(1)->SetChecked(true);
        SelectOnly(table, {1});
        data.reset(m_music->PrepareDrag());
        const QList<QUrl> checked = data->urls();
        QCOMPARE(checked.size(), 2);
        QCOMPARE(ReadFile(checked[1].toLocalFile()),
                 ReadFile(DevicePathToLocal(m_music->SongAtRow(4)->path)));
        QVERIFY(QFileInfo(checked[0].toLocalFile()).absolutePath() != folder);

        // The playlist page drags its songs the same way.
        ReadPlaylists();
        m_playlistView->ShowPlaylist(1);
        QVERIFY(m_playlistView->SortModel()->rowCount() > 0);
        SelectOnly(m_playlistView->TableView(), {0});
        data.reset(m_playlistView->PrepareDrag());
        QVERIFY(data);
        const QList<QUrl> fromList = data->urls();
        QCOMPARE(fromList.size(), 1);
        QCOMPARE(ReadFile(fromList[0].toLocalFile()),
                 ReadFile(DevicePathToLocal(m_playlistView->SongAtRow(0)->path)));

        // Nothing selected: no drag at all.
        table->clearSelection();
        QVERIFY(m_music->PrepareDrag() == nullptr);
        for (int row = 0; row < m_music->GetChunkCount(); ++row)
            m_music->GetChunk(row)->SetChecked(false);
        QVERIFY(m_messages->Messages().isEmpty());

        // The file leaves the device between the listing and the drop: the other one still arrives.
        SelectOnly(table, {0, 1});
        const QMusicPlayListChunk* gone = m_music->SongAtRow(0);
        const QMusicPlayListChunk* kept = m_music->SongAtRow(1);
        data.reset(m_music->PrepareDrag());
        QVERIFY(data);
        const QString goneFile = DevicePathToLocal(gone->path);
        const QByteArray goneBytes = ReadFile(goneFile);
        QVERIFY(QFile::remove(goneFile));
        const QList<QUrl> vanished = data->urls();
        QVERIFY(data->HasDropped() && !data->DropSucceeded());
        QVERIFY(!QFileInfo::exists(vanished[0].toLocalFile()));
        QCOMPARE(ReadFile(vanished[1].toLocalFile()), ReadFile(DevicePathToLocal(kept->path)));
        QTRY_COMPARE(m_messages->Messages(),
                     QStringList{QStringLiteral("These items could not be copied from the device:\n") +
                                 QString::fromStdString(gone->GetName())});
        QVERIFY(WriteFile(goneFile, goneBytes));

        // The device fails every copy: nothing is written, and nothing outside the drag's folder.
        m_messages->Clear();
        QCOMPARE(AddFault({.operation = "CopyFileToComputer", .code = -5}), 0);
        data.reset(m_music->PrepareDrag());
        const QStringList before = QDir(temporary).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
        const QList<QUrl> failed = data->urls();
        QCOMPARE(QDir(QFileInfo(failed[0].toLocalFile()).absolutePath()).entryList(QDir::Files),
                 QStringList());
        QCOMPARE(QDir(temporary).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), before);
        QTRY_COMPARE(m_messages->Messages().size(), 1);
        ClearFaults();

        // A temporary folder that cannot be written starts no drag and says why.
        m_messages->Clear();
        const QString blocked = m_files.filePath("not-a-folder");
        QVERIFY(WriteFile(blocked, "a file where the temporary folder should be"));
        qputenv("TMPDIR", blocked.toUtf8());
        QVERIFY(m_music->PrepareDrag() == nullptr);
        QTRY_COMPARE(m_messages->Messages(),
                     QStringList{"The temporary folder for the drag could not be created."});
    }

    void droppedFoldersAddTheirAudioAndNameTheRest() {
        const int before = LoadedCount();
        const QString folder = m_files.filePath("dropped");
        QVERIFY(QDir().mkpath(folder + QStringLiteral("/inner")));
        const QString first =
            Song(QStringLiteral("dropped/Dropped One.MP3"), {.seconds = 1, .title = "Dropped One"});
        const QString second =
            Song(QStringLiteral("dropped/inner/dropped two.m4a"), {.seconds = 1, .title = "Dropped Two"});
        QVERIFY(!first.isEmpty() && !second.isEmpty());
        QVERIFY(WriteFile(folder + QStringLiteral("/cover.jpg"), "not a song"));
        const QString letter = m_files.filePath("letter.txt");
        QVERIFY(WriteFile(letter, "dear device"));

        QMimeData files;
        files.setUrls({QUrl::fromLocalFile(folder), QUrl::fromLocalFile(letter)});
        QSignalSpy refreshed(m_music.data(), &QMusicView::emitRefreshMusicNode);
        QVERIFY(SendDrop(m_music, &files));
        // The add runs once the drop's own event is over.
        QCOMPARE(m_music->GetChunkCount(), before);
        QTRY_VERIFY_WITH_TIMEOUT(!refreshed.isEmpty() && !m_music->IsRunning() && !m_loader->IsRunning(),
                                 15000);
        QTRY_COMPARE(m_messages->Messages(),
                     QStringList{"2 dropped file(s) skipped: only MP3, M4A files can be added here."});
        QCOMPARE(m_music->GetChunkCount(), before + 2);
        QVERIFY(RowOf("Dropped Two") >= 0);

        // Songs dragged out of the page and dropped back are not taken in again (nor copied off the device).
        SelectOnly(m_music->TableView(), {0});
        std::unique_ptr<QDropFileMimeData> own(m_music->PrepareDrag());
        QVERIFY(!SendDrop(m_music, own.get()));
        QVERIFY(!own->HasDropped());
    }

private:
    fs::path MediaDb() const { return DeviceFolder() / "Media/iTunes_Control/iTunes/MediaLibrary.sqlitedb"; }

    QString DevicePathToLocal(const std::string& devicePath) const {
        QString relative = QString::fromStdString(devicePath).replace(QLatin1Char(':'), QLatin1Char('/'));
        return QString::fromStdString((DeviceFolder() / "Media").string()) + relative;
    }

    // The file name "To Computer", "To iTunes" and a drag give a song: "Artist - Title", or the title alone
    // when either is missing, and the device file's extension.
    static QString ExportName(const QMusicPlayListChunk* song) {
        const std::string& title = song->GetName();
        const std::string name = title.empty() || song->artist.empty() ? title : song->artist + " - " + title;
        return QString::fromStdString(name) + QLatin1Char('.') +
               QFileInfo(QString::fromStdString(song->path)).suffix();
    }

    QStringList DeviceMusicFiles() const {
        return FilesUnder(QString::fromStdString((DeviceFolder() / "Media/iTunes_Control/Music").string()));
    }

    QString Song(const QString& name, const vexa::formats::AudioSpec& spec) {
        const QString path = m_files.filePath(name);
        return vexa::formats::WriteAudioFile(path.toStdString(), spec) ? path : QString();
    }

    // The pages as the tree binds them, with the tree's music part around them.
    void MakePages() {
        const int handle = m_phone.Handle();
        m_music = new QMusicView(m_manager, handle);
        m_loader = new QPlayAnalysisTread(m_manager, handle);
        m_playlistView = new QPlayListView(m_manager, handle);
        m_playlistView->SetLoader(m_loader);
        m_tree = new TreeModel;
        m_musicNode = new TreeNode(NODE_MUSIC, QStringLiteral("Music"));
        m_musicNode->SetBinding({m_music.data(), nullptr});
        m_playlistNode = new TreeNode(SUB_ITEM_PLAYLIST, QStringLiteral("Playlist"));
        m_playlistNode->SetBinding({m_playlistView.data(), m_loader.data()});
        m_tree->AppendNode(m_tree->Root(), m_musicNode);
        m_tree->AppendNode(m_tree->Root(), m_playlistNode);
        m_treeNodes = new QMusicTreeNodes(m_tree, [this](int, int kind) {
            return kind == NODE_MUSIC ? m_musicNode : kind == SUB_ITEM_PLAYLIST ? m_playlistNode : nullptr;
        });
        connect(m_music, &QMusicView::sendAddComputerFile, m_treeNodes, &QMusicTreeNodes::OnAddMusic);
        connect(m_playlistView, &QPlayListView::sendAddComputerFile, m_treeNodes,
                &QMusicTreeNodes::OnAddPlay);
        connect(m_loader, &QPlayAnalysisTread::refreshPlayList, m_treeNodes,
                [this] { m_treeNodes->Rebuild(m_playlistNode, m_loader); });
    }

    void LoadMusic() {
        QSignalSpy refreshed(m_music.data(), &QMusicView::emitRefreshMusicNode);
        QVERIFY(m_music->Start());
        QTRY_VERIFY_WITH_TIMEOUT(!refreshed.isEmpty(), 15000);
    }

    int LoadedCount() { return LoadMusic(), m_music->GetChunkCount(); }

    void ReadPlaylists() {
        QSignalSpy refreshed(m_loader.data(), &QPlayAnalysisTread::refreshPlayList);
        m_loader->RefreshList();
        QTRY_VERIFY_WITH_TIMEOUT(!refreshed.isEmpty() && !m_loader->IsRunning(), 15000);
    }

    void AddThroughMusicPage(const QStringList& files) {
        QSignalSpy refreshed(m_music.data(), &QMusicView::emitRefreshMusicNode);
        const bool loaded = m_music->HasLoaded();
        emit m_music->sendAddComputerFile(0, files, m_music);
        if (loaded)
            QTRY_VERIFY_WITH_TIMEOUT(!refreshed.isEmpty() && !m_music->IsRunning(), 15000);
        QTRY_VERIFY_WITH_TIMEOUT(!m_loader->IsRunning(), 15000);
        QCoreApplication::processEvents();
    }

    QString Cell(int row, int column) const {
        return m_music->SortModel()->index(row, column).data().toString();
    }

    int RowOf(const QString& title) const { return ColumnTexts(m_music->SortModel()).indexOf(title); }

    void SelectOnly(QTableView* table, const QList<int>& rows) {
        table->clearSelection();
        for (int row : rows)
            table->selectionModel()->select(table->model()->index(row, 0),
                                            QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }

    // The drag folders made under `temporary` (a stand-in for the system's temporary folder).
    QStringList DragFolders(const QString& temporary) const {
        QStringList folders;
        const QDir parent(temporary + QStringLiteral("/Vexa Manager dnd"));
        for (const QString& name : parent.entryList(QDir::Dirs | QDir::NoDotAndDotDot))
            folders << parent.filePath(name);
        return folders;
    }

    QTemporaryDir m_files;
    TreeModel* m_tree = nullptr;
    TreeNode* m_musicNode = nullptr;
    TreeNode* m_playlistNode = nullptr;
    QMusicTreeNodes* m_treeNodes = nullptr;
    QPointer<QMusicView> m_music;
    QPointer<QPlayListView> m_playlistView;
    QPointer<QPlayAnalysisTread> m_loader;
};

QTEST_MAIN(tst_music)
#include "tst_music.moc"
