// The device emulator as Debian's own device tools see it: they find, pair with, read, rename, back up
// and restore a simulated device through it, and survive each planned fault.

#include <plist/plist.h>
#ifdef VEXA_HAVE_IMOBILEDEVICE
#include <libimobiledevice/afc.h>
#include <libimobiledevice/house_arrest.h>
#include <libimobiledevice/libimobiledevice.h>
#include <libimobiledevice/sbservices.h>
#endif

#include <QDate>
#include <QLocalSocket>
#include <QProcess>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <vexa/BackupDevice.h>
#include <vexa/vexa.h>

#include "BackupReport.h"
#include "ContentPrint.h"
#include "FolderDigest.h"
#include "TestFiles.h"
#include "formats/IpaFile.h"
#include "formats/Plist.h"
#include "sim/ContentServices.h"
#include "sim/SimDevice.h"
#include "sim/content/MessageStore.h"
#include "sim/content/SimAppLibrary.h"
#include "sim/content/SimCallHistory.h"

using vexa::formats::Plist;
using vexa::formats::PlistPtr;

namespace {

const QString kUdid = "00008030001A2B3C4D5E6F70AABBCCDDEEFF0011";
const QString kName = "Emulated iPhone";
constexpr int kToolTimeoutMs = 60000;

struct Output {
    int code = -1;
    bool finished = false;
    QString text; // standard output and error together
};

} // namespace

class DeviceEmulatorTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    // A Unix socket's path has room for about 100 bytes; a deep build folder would not leave enough.
    QTemporaryDir m_sockets{QDir::tempPath().size() < 60 ? QDir::tempPath() + "/emu-XXXXXX"
                                                         : QString("/tmp/vexa-emu-XXXXXX")};
    QProcess m_emulator;
    QString m_root;
    QString m_socket;
    QString m_control;

    Output run(const QString& program, const QStringList& arguments, int timeoutMs = kToolTimeoutMs) {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("USBMUXD_SOCKET_ADDRESS", "UNIX:" + m_socket);
        process.setProcessEnvironment(environment);
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.start(program, arguments);
        Output output;
        output.finished = process.waitForFinished(timeoutMs);
        if (!output.finished) {
            process.kill();
            process.waitForFinished();
        }
        output.text = QString::fromUtf8(process.readAll());
        output.code = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        return output;
    }

    Output simctl(const QStringList& arguments) {
        return run(VEXA_BIN_DIR "/vexa-simctl", QStringList{"--root", m_root} + arguments);
    }

    QString control(const QString& line) {
        QLocalSocket socket;
        socket.connectToServer(m_control);
        if (!socket.waitForConnected(5000))
            return "no control socket";
        socket.write((line + "\n").toUtf8());
        while (!socket.canReadLine() && socket.waitForReadyRead(10000)) {
        }
        return QString::fromUtf8(socket.readLine()).trimmed();
    }

    // Skips the test when Debian's tool is missing (scripts/install-deps.sh installs it).
    bool haveTool(const char* tool) { return !QStandardPaths::findExecutable(tool).isEmpty(); }

    QString deviceName(const QString& udid = kUdid) {
        return run("ideviceinfo", {"-u", udid, "-k", "DeviceName"}).text.trimmed();
    }

    QString deviceFolder(const QString& udid = kUdid) const { return m_root + "/" + udid; }

    // The simulated device's apps as its own library lists them: id and icon.
    std::vector<std::pair<std::string, QByteArray>> apps() const {
        vexa::sim::SimAppLibrary library(
            std::make_shared<vexa::sim::SimDevice>(deviceFolder().toStdString()));
        AppRecord* records = nullptr;
        int count = 0;
        std::vector<std::pair<std::string, QByteArray>> listed;
        if (library.GetApplistInfo(&records, &count) == 0 && library.GetAppListIcon(records, count) == 0) {
            for (const AppRecord& app : std::span(records, size_t(count)))
                listed.emplace_back(app.id,
                                    QByteArray(reinterpret_cast<const char*>(app.icon), app.iconLength));
        }
        return listed;
    }

    // A full backup by Debian's tool into a new folder, read by the independent reader and opened as a
    // device.
    void backUpAndCheck(const QString& folder, const char* password) {
        QVERIFY(QDir().mkpath(folder));
        const Output backup = run("idevicebackup2", {"-u", kUdid, "backup", "--full", folder});
        QVERIFY2(backup.code == 0 && backup.text.contains("Backup Successful."), qPrintable(backup.text));
        const QJsonObject report = ReadBackup(folder + "/" + kUdid, {}, QString::fromUtf8(password));
        QVERIFY2(BackupProblems(report).isEmpty(), BackupProblems(report).constData());
        QCOMPARE(report.value("snapshot").toString(), QString("finished"));
        QCOMPARE(report.value("encrypted").toBool(), password != nullptr);
        QVERIFY(report.value("stored").toInt() > 0);
        compareBackupDevice(folder + "/" + kUdid, password);
    }

    // A backup Debian's tool made, opened as a device: it lists the phone's conversations with their
    // attachments and, when encrypted, its calls.
    void compareBackupDevice(const QString& folder, const char* password) {
        auto content = std::make_unique<BackupContent>();
        QCOMPARE(content->Open(folder.toUtf8().constData()), int(VEXA_OK));
        if (content->Encrypted())
            QCOMPARE(content->Unlock(password), int(VEXA_OK));
        const bool encrypted = content->Encrypted();
        IVexaManager* backup = OpenBackupDevice(std::move(content));
        QVERIFY(backup);
        auto release = qScopeGuard([&backup] { DeleteVexaManager(&backup); });
        vexa::sim::SimDevice phone(deviceFolder().toStdString());
        vexa::sim::ResultArena arena;
        ConversationList* expected = nullptr;
        QCOMPARE(vexa::sim::ReadConversations(phone, arena, &expected), int(VEXA_OK));
        ContentPrint fromPhone;
        PrintConversations(
            *expected,
            [&](const MessageAttachmentRecord& file) {
                return QString::fromStdString(
                    vexa::sim::MessageStore::AttachmentFile(phone.Folder(), file.path).string());
            },
            fromPhone);
        QVERIFY(fromPhone.attachments.filter(QRegularExpression("\\|[0-9a-f]{40}$")).size() >= 2);
        const ContentPrint fromBackup = PrintOf(backup);
        QCOMPARE(fromBackup.conversations, fromPhone.conversations);
        QCOMPARE(fromBackup.attachments, fromPhone.attachments);
        CallHistoryList* calls = nullptr;
        QCOMPARE(backup->GetDeviceService()->GetCallHistory(&calls), int(VEXA_OK));
        vexa::sim::ResultArena callArena;
        CallHistoryList* phoneCalls = nullptr;
        const int phoneCount =
            vexa::sim::ReadCallHistory(phone, callArena, &phoneCalls) == VEXA_OK ? phoneCalls->count : 0;
        // A phone backs its calls up only when encrypting.
        QCOMPARE(calls->count, encrypted ? phoneCount : 0);
    }

private slots:
    void initTestCase() {
        QVERIFY(m_dir.isValid() && m_sockets.isValid());
        m_root = m_dir.filePath("simulator");
        m_socket = m_sockets.filePath("usbmuxd");
        m_control = m_sockets.filePath("control");
        const Output created = simctl({"create", "--udid", kUdid, "--name", kName, "--product-type",
                                       "iPhone12,1", "--apps", "2", "--photos", "3"});
        QVERIFY2(created.code == 0, qPrintable(created.text));
        m_emulator.setProcessChannelMode(QProcess::ForwardedChannels);
        m_emulator.start(VEXA_BIN_DIR "/vexa-device-emulator",
                         {"--socket", m_socket, "--root", m_root, "--control", m_control});
        QVERIFY(m_emulator.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(control("devices").contains(kUdid), 10000);
        // libimobiledevice, linked in, finds the muxer the same way its tools do.
        qputenv("USBMUXD_SOCKET_ADDRESS", ("UNIX:" + m_socket).toUtf8());
    }

    void cleanupTestCase() {
        if (m_emulator.state() == QProcess::NotRunning)
            return;
        m_emulator.terminate();
        QVERIFY(m_emulator.waitForFinished(15000));
        // A clean exit also means the sanitizers found nothing in the emulator.
        QCOMPARE(m_emulator.exitStatus(), QProcess::NormalExit);
        QCOMPARE(m_emulator.exitCode(), 0);
        QVERIFY(!QFile::exists(m_socket));
    }

    void debianToolsReadAndRenameTheDevice() {
        if (!haveTool("ideviceinfo") || !haveTool("idevicename"))
            QSKIP("Debian's libimobiledevice-utils are not installed");
        QVERIFY(run("idevice_id", {"-l"}).text.contains(kUdid));
        // The first call pairs: the pair record reaches the muxer's store.
        QCOMPARE(deviceName(), kName);
        QVERIFY(QFile::exists(m_socket + ".state/" + kUdid + ".plist"));

        vexa::sim::SimDevice device(deviceFolder().toStdString());
        const auto info = device.Info();
        const Output battery = run("ideviceinfo", {"-u", kUdid, "-q", "com.apple.mobile.battery"});
        QVERIFY2(battery.text.contains(QString("BatteryCurrentCapacity: %1").arg(info.profile.batteryLevel)),
                 qPrintable(battery.text));
        const Output disk = run("ideviceinfo", {"-u", kUdid, "-q", "com.apple.disk_usage"});
        QVERIFY2(disk.text.contains(QString("TotalDataCapacity: %1").arg(info.profile.dataCapacity)),
                 qPrintable(disk.text));

        // A name beyond plain ASCII survives the round trip and lands in the simulated device.
        const QString renamed = QString::fromUtf8("Käthes iPhone – 测试");
        const Output rename = run("idevicename", {"-u", kUdid, renamed});
        QVERIFY2(rename.code == 0, qPrintable(rename.text));
        QCOMPARE(run("idevicename", {"-u", kUdid}).text.trimmed(), renamed);
        QCOMPARE(QString::fromStdString(device.Info().profile.properties.at("DeviceName")), renamed);
        QCOMPARE(run("idevicename", {"-u", kUdid, kName}).code, 0);
    }

    void pairingWaitsUntilTheUserTrusts() {
        if (!haveTool("ideviceinfo") || !haveTool("idevicepair"))
            QSKIP("Debian's libimobiledevice-utils are not installed");
        const QString udid = "00008101000A1B2C3D4E5F60718293A4B5C6D7E8";
        QCOMPARE(simctl({"create", "--udid", udid, "--name", "Second", "--product-type", "iPhone13,2"}).code,
                 0);
        QCOMPARE(control("trust pending"), QString("ok"));
        QTRY_VERIFY_WITH_TIMEOUT(control("devices").contains(udid), 5000);

        Output waiting = run("ideviceinfo", {"-u", udid, "-k", "DeviceName"});
        QVERIFY2(waiting.code != 0 && waiting.text.contains("Pairing dialog response pending"),
                 qPrintable(waiting.text));
        QVERIFY(!QFile::exists(m_socket + ".state/" + udid + ".plist"));

        QCOMPARE(control("trust deny"), QString("ok"));
        const Output denied = run("idevicepair", {"-u", udid, "pair"});
        QVERIFY2(denied.code != 0 && denied.text.contains("denied"), qPrintable(denied.text));

        QCOMPARE(control("trust accept"), QString("ok"));
        QCOMPARE(deviceName(udid), QString("Second"));
        // The pair record the muxer hands out is one an independent reader takes, with the certificates.
        const Output record =
            run("/usr/bin/python3", {"-c",
                                     "import plistlib,sys\n"
                                     "r = plistlib.load(open(sys.argv[1], 'rb'))\n"
                                     "print(sorted(k for k in r if k.endswith('Certificate')))",
                                     m_socket + ".state/" + udid + ".plist"});
        QCOMPARE(record.text.trimmed(),
                 QString("['DeviceCertificate', 'HostCertificate', 'RootCertificate']"));
        QCOMPARE(run("idevicepair", {"-u", udid, "validate"}).code, 0);
        QCOMPARE(control("detach " + udid), QString("ok"));
    }

    void installerListsInstallsAndRemovesApps() {
        if (!haveTool("ideviceinstaller"))
            QSKIP("Debian's ideviceinstaller is not installed");
        const auto listedApps = apps();
        QCOMPARE(listedApps.size(), size_t(2));
        // The same list whether the service connection stays plain or the device asks for TLS on it.
        for (const char* tls : {"off", "on"}) {
            QCOMPARE(control(QString("service-ssl ") + tls), QString("ok"));
            const Output listed = run("ideviceinstaller", {"-u", kUdid, "-l"});
            QCOMPARE(listed.code, 0);
            for (const auto& app : listedApps)
                QVERIFY2(listed.text.contains(QString::fromStdString(app.first)), qPrintable(listed.text));
        }
        QCOMPARE(control("service-ssl off"), QString("ok"));

        // The package travels over the file service to PublicStaging, then the proxy installs it.
        vexa::formats::AppBundle app;
        app.bundleId = "com.example.emulated";
        app.displayName = "Emulated App";
        app.executable = "Emulated";
        app.version = app.shortVersion = "2.5";
        app.minimumOS = "12.0";
        const QString ipa = m_dir.filePath("Emulated.ipa");
        QVERIFY(vexa::formats::WriteIpa(ipa.toStdString(), app));
        const Output installed = run("ideviceinstaller", {"-u", kUdid, "-i", ipa});
        QVERIFY2(installed.code == 0 && installed.text.contains("Complete"), qPrintable(installed.text));
        QVERIFY(QFile::exists(deviceFolder() + "/Media/PublicStaging/com.example.emulated"));
        QVERIFY(run("ideviceinstaller", {"-u", kUdid, "-l"}).text.contains("com.example.emulated, \"2.5\""));

        const Output removed = run("ideviceinstaller", {"-u", kUdid, "-U", "com.example.emulated"});
        QVERIFY2(removed.code == 0, qPrintable(removed.text));
        QVERIFY(!run("ideviceinstaller", {"-u", kUdid, "-l"}).text.contains("com.example.emulated"));

        // A package the device cannot take ends in the proxy's error, not in a half-installed app.
        app.bundleId = "com.example.future";
        app.minimumOS = "99.0";
        const QString future = m_dir.filePath("Future.ipa");
        QVERIFY(vexa::formats::WriteIpa(future.toStdString(), app));
        const Output refused = run("ideviceinstaller", {"-u", kUdid, "-i", future});
        QVERIFY2(refused.text.contains("DeviceOSVersionTooLow"), qPrintable(refused.text));
        QVERIFY(!run("ideviceinstaller", {"-u", kUdid, "-l"}).text.contains("com.example.future"));
    }

    void backupIsReadByIndependentReadersAndRestores() {
        if (!haveTool("idevicebackup2"))
            QSKIP("Debian's libimobiledevice-utils are not installed");
        const QString media = deviceFolder() + "/Media";
        const auto before = FolderDigest(media, true);
        QVERIFY(!before.isEmpty());
        // A conversation with a picture and a document, and a call, for the backup device to list.
        {
            const QString picture = m_dir.filePath("sent.jpg"), document = m_dir.filePath("sent.pdf");
            QVERIFY(WriteFile(picture, QByteArray(4000, 'j')) && WriteFile(document, QByteArray(900, 'p')));
            vexa::sim::MessageStore::Message message;
            message.dateTime = "2026-03-01 10:00:00";
            message.text = "files";
            message.attachments = {picture.toStdString(), document.toStdString()};
            vexa::sim::SimDevice phone(deviceFolder().toStdString());
            auto session = vexa::sim::MessageStore::Lock(phone.MessageDatabase());
            QCOMPARE(session.Result(), 0);
            QVERIFY(vexa::sim::MessageStore::EnsureTables(session.Handle())); // a device made bare has none
            vexa::sim::MessageStore store(session.Handle(), deviceFolder().toStdString());
            int64_t chat = 0;
            QCOMPARE(store.AddConversation("+1 555 0142", std::string("Sender"), &chat), 0);
            QCOMPARE(store.AddMessage(chat, message), 0);
        }

        // Debian's 1.3.0 carries the newer device-link version, so it takes both of the device's versions.
        for (const char* mode : {"legacy", "modern"}) {
            QCOMPARE(control(QString("backup-mode ") + mode), QString("ok"));
            backUpAndCheck(m_dir.filePath(QString("backup-") + mode), nullptr);
        }

        // A change after the backup is undone by the restore; the device's files come back bit for bit.
        QVERIFY(WriteFile(media + "/Downloads/after-backup.txt", "later"));
        const Output restore =
            run("idevicebackup2", {"-u", kUdid, "restore", "--system", m_dir.filePath("backup-legacy")});
        QVERIFY2(restore.code == 0 && restore.text.contains("Restore Successful."), qPrintable(restore.text));
        const auto after = FolderDigest(media, true);
        for (auto it = before.begin(); it != before.end(); ++it)
            QVERIFY2(after.value(it.key()) == it.value(), qPrintable(it.key()));
        QCOMPARE(after.keys(), before.keys());

        // With a backup password the device encrypts; a restore needs the same password.
        // Few rounds keep the test quick: every restore derives the key again.
        QVERIFY(
            simctl({"backup-password", kUdid, "secret", "--sha256-rounds", "20000", "--sha1-rounds", "1000"})
                .code == 0);
        const QString encrypted = m_dir.filePath("backup-encrypted");
        backUpAndCheck(encrypted, "secret");
        const Output wrong =
            run("idevicebackup2", {"-u", kUdid, "restore", "--system", "--password", "wrong", encrypted});
        QVERIFY2(wrong.text.contains("Restore Failed"), qPrintable(wrong.text));
        QCOMPARE(FolderDigest(media, true).keys(), before.keys());
        const Output right =
            run("idevicebackup2", {"-u", kUdid, "restore", "--system", "--password", "secret", encrypted});
        QVERIFY2(right.text.contains("Restore Successful."), qPrintable(right.text));
        QCOMPARE(simctl({"backup-password", kUdid}).code, 0);
    }

    // After the backups above: rows run in order, each a step a user takes with Debian's tools.
    void debianToolsGetWhatAPhoneAnswers_data();

    void debianToolsGetWhatAPhoneAnswers() {
        QFETCH(QString, tool);
        QFETCH(QStringList, arguments);
        QFETCH(QString, answer);
        if (!haveTool(qPrintable(tool)))
            QSKIP("Debian's device tools are not installed");
        arguments.replaceInStrings("%BACKUPS%", m_dir.path());
        const QStringList hostsBefore = QDir(deviceFolder() + "/lockdown/hosts").entryList(QDir::Files);
        const Output output = run(tool, arguments);
        QVERIFY2(
            QRegularExpression(answer, QRegularExpression::MultilineOption).match(output.text).hasMatch(),
            qPrintable(output.text));
        if (tool == "idevicepair") {
            // The device removed the certificate of the host that unpaired, and only that one.
            const QStringList hostsAfter = QDir(deviceFolder() + "/lockdown/hosts").entryList(QDir::Files);
            QCOMPARE(hostsAfter.size(), hostsBefore.size() - 1);
        }
    }

    void libraryClientsReachFilesIconsAndAppContainers() {
#ifndef VEXA_HAVE_IMOBILEDEVICE
        QSKIP("libimobiledevice-dev is not installed");
#else
        idevice_t device = nullptr;
        QCOMPARE(idevice_new(&device, qPrintable(kUdid)), IDEVICE_E_SUCCESS);
        std::unique_ptr<idevice_private, decltype(&idevice_free)> deviceGuard(device, idevice_free);

        // The file service, started through lockdown: write, seek back, tell, read, rename and remove, all
        // landing in Media/.
        afc_client_t afc = nullptr;
        QCOMPARE(afc_client_start_service(device, &afc, "tst_device_emulator"), AFC_E_SUCCESS);
        std::unique_ptr<afc_client_private, decltype(&afc_client_free)> afcGuard(afc, afc_client_free);
        QCOMPARE(afc_make_directory(afc, "/Notes/Deep"), AFC_E_SUCCESS);
        uint64_t handle = 0;
        QCOMPARE(afc_file_open(afc, "/Notes/Deep/a.txt", AFC_FOPEN_WR, &handle), AFC_E_SUCCESS);
        uint32_t written = 0;
        QCOMPARE(afc_file_write(afc, handle, "0123456789", 10, &written), AFC_E_SUCCESS);
        QCOMPARE(afc_file_seek(afc, handle, 4, SEEK_SET), AFC_E_SUCCESS);
        uint64_t position = 0;
        QCOMPARE(afc_file_tell(afc, handle, &position), AFC_E_SUCCESS);
        QCOMPARE(position, uint64_t(4));
        QCOMPARE(afc_file_close(afc, handle), AFC_E_SUCCESS);
        QCOMPARE(afc_file_open(afc, "/Notes/Deep/a.txt", AFC_FOPEN_RDONLY, &handle), AFC_E_SUCCESS);
        QCOMPARE(afc_file_seek(afc, handle, -3, SEEK_END), AFC_E_SUCCESS);
        char buffer[16] = {};
        uint32_t read = 0;
        QCOMPARE(afc_file_read(afc, handle, buffer, sizeof buffer, &read), AFC_E_SUCCESS);
        QCOMPARE(QByteArray(buffer, int(read)), QByteArray("789"));
        QCOMPARE(afc_file_close(afc, handle), AFC_E_SUCCESS);
        // A list the library hands out, taken over and freed.
        auto take = [](char** list) {
            QStringList items;
            for (char** item = list; item && *item; ++item)
                items << QString::fromUtf8(*item);
            afc_dictionary_free(list);
            return items;
        };
        char** info = nullptr;
        QCOMPARE(afc_get_file_info(afc, "/Notes/Deep/a.txt", &info), AFC_E_SUCCESS);
        const QStringList pairs = take(info);
        QVERIFY2(pairs.join(' ').contains("st_size 10") && pairs.contains("S_IFREG"),
                 qPrintable(pairs.join(' ')));
        QCOMPARE(afc_rename_path(afc, "/Notes/Deep/a.txt", "/Notes/b.txt"), AFC_E_SUCCESS);
        QVERIFY(QFile::exists(deviceFolder() + "/Media/Notes/b.txt"));
        // A folder with something in it stays; a path above the root is refused.
        QVERIFY(afc_remove_path(afc, "/Notes") != AFC_E_SUCCESS);
        QVERIFY(afc_file_open(afc, "/../device.json", AFC_FOPEN_RDONLY, &handle) != AFC_E_SUCCESS);
        QCOMPARE(afc_remove_path(afc, "/Notes/b.txt"), AFC_E_SUCCESS);
        char** names = nullptr;
        QCOMPARE(afc_read_directory(afc, "/Notes", &names), AFC_E_SUCCESS);
        QStringList listed = take(names);
        listed.sort();
        QCOMPARE(listed, QStringList({".", "..", "Deep"}));

        // App icons are the simulated apps' own PNGs.
        const auto listedApps = apps();
        QVERIFY(!listedApps.empty());
        const std::string appId = listedApps[0].first;
        sbservices_client_t springboard = nullptr;
        QCOMPARE(sbservices_client_start_service(device, &springboard, "tst_device_emulator"),
                 SBSERVICES_E_SUCCESS);
        char* png = nullptr;
        uint64_t pngSize = 0;
        QCOMPARE(sbservices_get_icon_pngdata(springboard, appId.c_str(), &png, &pngSize),
                 SBSERVICES_E_SUCCESS);
        QCOMPARE(QByteArray(png, int(pngSize)), listedApps[0].second);
        free(png);
        sbservices_client_free(springboard);

        // An app's container is reached through house_arrest; an unknown app is refused.
        const QString documents =
            deviceFolder() + "/Applications/" + QString::fromStdString(appId) + "/Documents";
        QVERIFY(WriteFile(documents + "/shared.txt", "shared"));
        for (const std::string id : {"com.example.missing", appId.c_str()}) {
            const bool known = id == appId;
            house_arrest_client_t arrest = nullptr;
            QCOMPARE(house_arrest_client_start_service(device, &arrest, "tst_device_emulator"),
                     HOUSE_ARREST_E_SUCCESS);
            auto releaseArrest = qScopeGuard([arrest] { house_arrest_client_free(arrest); });
            QCOMPARE(house_arrest_send_command(arrest, "VendDocuments", id.c_str()), HOUSE_ARREST_E_SUCCESS);
            plist_t result = nullptr;
            QCOMPARE(house_arrest_get_result(arrest, &result), HOUSE_ARREST_E_SUCCESS);
            PlistPtr resultGuard(result);
            QCOMPARE(QString::fromStdString(Plist::String(result, known ? "Status" : "Error")),
                     QString(known ? "Complete" : "ApplicationLookupFailed"));
            if (!known)
                continue;
            afc_client_t container = nullptr;
            QCOMPARE(afc_client_new_from_house_arrest_client(arrest, &container), AFC_E_SUCCESS);
            QCOMPARE(afc_file_open(container, "/Documents/shared.txt", AFC_FOPEN_RDONLY, &handle),
                     AFC_E_SUCCESS);
            QCOMPARE(afc_file_read(container, handle, buffer, sizeof buffer, &read), AFC_E_SUCCESS);
            QCOMPARE(QByteArray(buffer, int(read)), QByteArray("shared"));
            afc_file_close(container, handle);
            afc_client_free(container);
        }
#endif
    }

    void faultsEndTheClientCleanlyAndTheEmulatorServesOn_data() {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("tool");
        QTest::addColumn<bool>("detaches");
        // Lockdown drops mid-message, sends a malformed plist, announces an oversized one, answers an unknown
        // error or never answers; or the cable comes out during a transfer, an install or a backup.
        for (const char* kind : {"drop", "malformed", "oversized", "error", "timeout"})
            QTest::addRow("lockdown %s", kind)
                << QString("lockdown ") + kind << QString("ideviceinfo") << false;
        for (const char* service : {"afc", "installation_proxy", "backup"})
            QTest::addRow("%s detach", service)
                << QString(service) + " detach"
                << QString(service == QByteArray("backup") ? "idevicebackup2" : "ideviceinstaller") << true;
    }

    void faultsEndTheClientCleanlyAndTheEmulatorServesOn() {
        QFETCH(QString, fault);
        QFETCH(QString, tool);
        QFETCH(bool, detaches);
        if (!haveTool(qPrintable(tool)))
            QSKIP("Debian's device tools are not installed");
        const QString ipa = m_dir.filePath("Emulated.ipa");
        if (tool == "ideviceinstaller" && !QFile::exists(ipa)) {
            vexa::formats::AppBundle app;
            app.bundleId = "com.example.emulated";
            app.executable = "Emulated";
            app.version = "1";
            QVERIFY(vexa::formats::WriteIpa(ipa.toStdString(), app));
        }
        const QString backupFolder = m_dir.filePath("faulty-backup");
        QVERIFY(QDir().mkpath(backupFolder));
        const QMap<QString, QStringList> arguments = {
            {"ideviceinfo", {"-u", kUdid, "-k", "DeviceName"}},
            {"ideviceinstaller", {"-u", kUdid, "-i", ipa}},
            {"idevicebackup2", {"-u", kUdid, "backup", "--full", backupFolder}},
        };
        QCOMPARE(control("backup-mode legacy"), QString("ok"));
        QCOMPARE(control("fault " + fault), QString("ok"));
        // libimobiledevice waits for lockdown without a limit; a client that is still waiting after 5 s is
        // taken as timed out and ended here.
        const Output failed = run(tool, arguments.value(tool), 5000);
        // ideviceinstaller reports a failed copy or a removed device but still exits with 0.
        const bool reported = failed.text.contains("failed") || failed.text.contains("Device removed");
        QVERIFY2(!failed.finished || failed.code != 0 || reported, qPrintable(failed.text));
        QVERIFY(!QFile::exists(backupFolder + "/" + kUdid + "/Status.plist"));
        QCOMPARE(control("clear-faults"), QString("ok"));
        if (detaches) {
            QVERIFY(!control("devices").contains(kUdid));
            QCOMPARE(control("attach " + kUdid), QString("ok"));
        }
        QCOMPARE(deviceName(), kName);
        if (tool == "ideviceinstaller")
            run("ideviceinstaller", {"-u", kUdid, "-U", "com.example.emulated"});
    }
};

void DeviceEmulatorTest::debianToolsGetWhatAPhoneAnswers_data() {
    QTest::addColumn<QString>("tool");
    QTest::addColumn<QStringList>("arguments"); // %BACKUPS% is the folder of the backups made above
    QTest::addColumn<QString>("answer");        // a pattern the tool's output must match
    // Each tool is given "-u <udid>" first; %YEAR% and %NAME% in a pattern are this year and the name.
    const struct {
        const char *name, *tool, *arguments, *answer;
    } rows[] = {
        {"the clock is today's", "idevicedate", "", "%YEAR%"},
        {"the clock is a real number", "ideviceinfo", "-k TimeIntervalSince1970", R"(^\d{10}\.\d+\s*$)"},
        {"an iPhone 11", "ideviceinfo", "-k ProductType", "^iPhone12,1\\s*$"},
        {"hardware of an iPhone 11", "ideviceinfo", "-k HardwareModel", "^N104AP\\s*$"},
        {"model number of an iPhone 11", "ideviceinfo", "-k ModelNumber", "^MWLT2\\s*$"},
        {"an iOS an iPhone 11 ran", "ideviceinfo", "-k ProductVersion", "^17\\.7\\s*$"},
        {"system apps are listed as such", "ideviceinstaller", "-l -o list_system",
         "com\\.apple\\.mobilesafari"},
        {"last backup's details", "idevicebackup2", "info %BACKUPS%/backup-modern",
         R"(Product Type: iPhone12,1\n[\s\S]*Encrypted: No)"},
        {"last encrypted backup's details", "idevicebackup2", "info %BACKUPS%/backup-encrypted",
         "Encrypted: Yes"},
        {"details without a backup", "idevicebackup2", "info %BACKUPS%", "no complete backup"},
        {"last backup's files", "idevicebackup2", "list %BACKUPS%/backup-modern",
         R"(^Domain,Path,FileID,Type\n[\s\S]*^\w+Domain[^,\n]*,[^,\n]+,[0-9a-f]{40},File$)"},
        {"encryption on", "idevicebackup2", "encryption on pw %BACKUPS%",
         "Backup encryption has been enabled successfully"},
        {"the device says it encrypts", "ideviceinfo", "-q com.apple.mobile.backup -k WillEncrypt",
         "^true\\s*$"},
        {"encryption on twice", "idevicebackup2", "encryption on pw %BACKUPS%", "already enabled"},
        {"off with the wrong password", "idevicebackup2", "encryption off nope %BACKUPS%",
         "Could not disable backup encryption"},
        {"encryption off", "idevicebackup2", "encryption off pw %BACKUPS%",
         "Backup encryption has been disabled successfully"},
        {"the device no longer encrypts", "ideviceinfo", "-q com.apple.mobile.backup -k WillEncrypt",
         "^false\\s*$"},
        {"unpair", "idevicepair", "unpair", "SUCCESS"},
        // The device forgot this computer: the next tool pairs anew.
        {"paired again on the next use", "ideviceinfo", "-k DeviceName", "^%NAME%\\s*$"},
    };
    const QString year = QString::number(QDate::currentDate().year());
    for (const auto& row : rows)
        QTest::newRow(row.name) << row.tool
                                << QStringList{"-u", kUdid} +
                                       QString(row.arguments).split(' ', Qt::SkipEmptyParts)
                                << QString(row.answer).replace("%YEAR%", year).replace("%NAME%", kName);
}

QTEST_GUILESS_MAIN(DeviceEmulatorTest)
#include "tst_device_emulator.moc"
