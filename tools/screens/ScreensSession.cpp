#include "ScreensSession.h"

#include <QDir>
#include <QTest>
#include <QWidget>

#include <vexa/vexa.h>

#include "LanguageService.h"

std::mutex ScreensSession::s_mutex;
std::map<std::string, int> ScreensSession::s_handles;

QString ScreensOutput(int argc, char** argv) {
    if (argc > 1)
        return QString::fromLocal8Bit(argv[1]);
    const QString fromEnvironment = qEnvironmentVariable("SCREENS_DIR");
    return fromEnvironment.isEmpty() ? QStringLiteral("screens") : fromEnvironment;
}

ScreensSession::ScreensSession(int argc, char** argv)
    : m_output(ScreensOutput(argc, argv)) {
    QDir().mkpath(m_output);
    qputenv("XDG_CONFIG_HOME", m_home.filePath(QStringLiteral("config")).toLocal8Bit());
    qputenv("VEXA_SIM_ROOT", m_home.filePath(QStringLiteral("simulator")).toLocal8Bit());
    qputenv("VEXA_BACKEND", "sim");
    SetAppDirPathForTesting(QStringLiteral(VEXA_BIN_DIR));
    m_root = m_home.filePath(QStringLiteral("simulator")).toStdString();
    std::filesystem::create_directories(m_root);
}

ScreensSession::~ScreensSession() {
    for (auto& [udid, manager] : m_managers)
        DeleteVexaManager(&manager);
    if (m_listening)
        IOSListener(nullptr);
}

std::filesystem::path ScreensSession::DeviceFolder(const char* udid) const {
    return m_root / udid;
}

bool ScreensSession::Generate(const vexa::sim::LargeDeviceSpec& spec) {
    return vexa::sim::GenerateLargeDevice(m_root, spec) == 0;
}

bool ScreensSession::GenerateDemo(const char* udid, const char* name) {
    return vexa::sim::GenerateDemoDevice(m_root, udid, name) == 0;
}

// Runs on the library's thread: tells the phones apart by their records.
int ScreensSession::OnDevice(int mode, int handle) {
    if (mode != VEXA_DEVICE_ARRIVED)
        return 0;
    IVexaManager* manager = GetVexaManager();
    DeviceInfo* info = nullptr;
    if (manager->SetDeviceHandle(handle) == 0 && manager->GetDeviceInfo(&info) && info) {
        std::lock_guard lock(s_mutex);
        s_handles[info->properties[DP_UniqueDeviceID]] = handle;
    }
    DeleteVexaManager(&manager);
    return 0;
}

bool ScreensSession::Connect(std::initializer_list<const char*> udids) {
    if (!m_listening) {
        IOSInitialize();
        m_listening = IOSListener(&ScreensSession::OnDevice) == 0;
    }
    return m_listening && QTest::qWaitFor(
                              [&] {
                                  for (const char* udid : udids)
                                      if (Handle(udid) == 0)
                                          return false;
                                  return true;
                              },
                              10000);
}

int ScreensSession::Handle(const char* udid) const {
    std::lock_guard lock(s_mutex);
    const auto found = s_handles.find(udid);
    return found == s_handles.end() ? 0 : found->second;
}

IVexaManager* ScreensSession::Manager(const char* udid) {
    IVexaManager*& manager = m_managers[udid];
    if (!manager && Handle(udid) != 0) {
        manager = GetVexaManager();
        if (manager->SetDeviceHandle(Handle(udid)) != 0)
            DeleteVexaManager(&manager);
    }
    return manager;
}

QString ScreensSession::Picture(const QString& name, const char* language) const {
    return QStringLiteral("%1/%2_%3.png").arg(m_output, name, QString::fromLatin1(language));
}

void ScreensSession::Save(QWidget* widget, const QString& path, int settleMs) {
    QTest::qWait(settleMs);
    if (!widget->grab().save(path))
        qWarning("can't save %s", qPrintable(path));
}
