#include "EmulatorProcess.h"

#include <algorithm>
#include <csignal>
#include <mutex>
#include <vector>

#include <sys/prctl.h>

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalSocket>
#include <QThread>

#include <vexa/vexa.h>

#include "TestFiles.h"

EmulatorProcess::EmulatorProcess() {
    QDir(m_dir.path()).mkpath(QStringLiteral("simulator"));
}

EmulatorProcess::~EmulatorProcess() {
    if (m_listening) {
        // The simulator finds the emulated devices in the folder and makes no demo device of its own.
        qputenv("VEXA_SIM_ROOT", Root().toLocal8Bit());
        qputenv("VEXA_BACKEND", "sim");
        IOSInitialize();
        IOSListener(nullptr);
    }
    Stop();
}

int EmulatorProcess::SimCtl(const QString& root, const QStringList& arguments) {
    QProcess process;
    process.start(QStringLiteral(VEXA_BIN_DIR "/vexa-simctl"), QStringList{"--root", root} + arguments);
    process.waitForFinished(120000);
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

int EmulatorProcess::SetBackupPassword(const QString& udid, const QString& password) const {
    return SimCtl(password.isEmpty() ? QStringList{"backup-password", udid}
                                     : QStringList{"backup-password", udid, password, "--sha256-rounds",
                                                   "20000", "--sha1-rounds", "1000"});
}

QStringList EmulatorProcess::RemoveFirstSongAndBook(const QString& udid) const {
    const QString media = Media(udid);
    const QStringList pdfs = QDir(media + "/Books").entryList({"*.pdf"}, QDir::Files, QDir::Name);
    QStringList removed;
    for (const QString& file :
         {FilesUnder(media + "/iTunes_Control/Music").value(0), media + "/Books/" + pdfs.value(0)}) {
        if (!file.endsWith('/') && QFile::remove(file))
            removed << file.mid(media.size());
    }
    return removed;
}

bool EmulatorProcess::Start(const QStringList& extraArguments) {
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    // A test that dies must not leave the emulator behind (it would also keep ctest waiting).
    m_process.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
    m_process.start(QStringLiteral(VEXA_BIN_DIR "/vexa-device-emulator"),
                    QStringList{"--socket", SocketPath(), "--root", Root(), "--control",
                                m_dir.filePath(QStringLiteral("control"))} +
                        extraArguments);
    if (!m_process.waitForStarted(10000))
        return false;
    // The control socket answers once the muxer accepts connections.
    QDeadlineTimer deadline(20000);
    while (!deadline.hasExpired()) {
        if (QFileInfo::exists(SocketPath()) && Control("devices").startsWith("ok")) {
            qputenv("USBMUXD_SOCKET_ADDRESS", "UNIX:" + SocketPath().toLocal8Bit());
            return true;
        }
        QThread::msleep(50);
    }
    return false;
}

void EmulatorProcess::Stop() {
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.terminate();
    if (!m_process.waitForFinished(10000)) {
        m_process.kill();
        m_process.waitForFinished(5000);
    }
}

QByteArray EmulatorProcess::Control(const QByteArray& command) {
    QLocalSocket socket;
    socket.connectToServer(m_dir.filePath(QStringLiteral("control")));
    if (!socket.waitForConnected(2000))
        return "error: no control socket";
    socket.write(command + "\n");
    socket.flush();
    QByteArray answer;
    QDeadlineTimer deadline(10000);
    while (!answer.contains('\n') && !deadline.hasExpired()) {
        if (socket.waitForReadyRead(100))
            answer += socket.readAll();
        if (socket.state() != QLocalSocket::ConnectedState) {
            answer += socket.readAll();
            break;
        }
    }
    return answer.trimmed();
}

namespace {
std::mutex g_eventMutex;
std::vector<std::pair<int, int>> g_events;

std::pair<int, int> eventAt(size_t position) {
    std::lock_guard lock(g_eventMutex);
    return position < g_events.size() ? g_events[position] : std::pair(0, 0);
}
} // namespace

int RecordEvent(int mode, int handle) {
    std::lock_guard lock(g_eventMutex);
    g_events.emplace_back(mode, handle);
    return 0;
}

size_t EventCount() {
    std::lock_guard lock(g_eventMutex);
    return g_events.size();
}

int EventAfter(size_t from, int mode, int handle) {
    std::lock_guard lock(g_eventMutex);
    for (size_t i = from; i < g_events.size(); ++i) {
        if (g_events[i].first == mode && (handle == 0 || g_events[i].second == handle))
            return g_events[i].second;
    }
    return 0;
}

int WaitForEvent(size_t from, int mode, int handle, int milliseconds) {
    QDeadlineTimer deadline(milliseconds);
    for (;;) {
        if (const int found = EventAfter(from, mode, handle); found != 0 || deadline.hasExpired())
            return found;
        QThread::msleep(10);
    }
}

void ManagerDeleter::operator()(IVexaManager* manager) const {
    DeleteVexaManager(&manager);
}

Manager Bind(int handle) {
    Manager manager(GetVexaManager());
    if (manager && manager->SetDeviceHandle(handle) != VEXA_OK)
        manager.reset();
    return manager;
}

std::map<QString, int> EmulatorProcess::Listen(const char* backend, size_t count) {
    const size_t from = EventCount();
    qputenv("VEXA_SIM_ROOT", Root().toLocal8Bit());
    qputenv("VEXA_BACKEND", backend);
    std::map<QString, int> found;
    // The callback is given once: given again, the simulator would announce afresh and never report
    // its phones leaving.
    if (IOSInitialize() != 0 || (!m_listening && IOSListener(RecordEvent) != 0))
        return found;
    m_listening = true;
    const auto earlierLeft = [&] {
        return std::all_of(m_devices.begin(), m_devices.end(), [from](const auto& device) {
            return EventAfter(from, VEXA_DEVICE_REMOVED, device.second) != 0;
        });
    };
    // A new device makes its keys and the host its own before the first answer: seconds on a busy machine.
    QDeadlineTimer deadline(60000);
    for (size_t next = from; !(found.size() >= count && earlierLeft()) && !deadline.hasExpired();) {
        for (; next < EventCount(); ++next) {
            const auto [mode, handle] = eventAt(next);
            DeviceInfo* info = nullptr;
            if (Manager manager = mode == VEXA_DEVICE_ARRIVED ? Bind(handle) : Manager();
                manager && manager->GetDeviceInfo(&info) && info->properties[DP_UniqueDeviceID])
                found[QString::fromUtf8(info->properties[DP_UniqueDeviceID])] = handle;
        }
        QThread::msleep(10);
    }
    if (found.size() < count || !earlierLeft()) {
        qWarning("Listen(%s): %zu of %zu devices arrived; the earlier ones %s", backend, found.size(), count,
                 earlierLeft() ? "left" : "did not all leave");
    }
    if (!earlierLeft())
        found.clear();
    m_devices = found;
    return found;
}

int EmulatorProcess::ListenForOne(const char* backend) {
    const std::map<QString, int> found = Listen(backend, 1);
    return found.size() == 1 ? found.begin()->second : 0;
}
