#pragma once

#include <filesystem>
#include <map>
#include <mutex>
#include <string>

#include <QString>
#include <QTemporaryDir>

#include <vexa/vexa.h>

#include "sim/ContentServices.h"

class QWidget;

// The program's languages by their locale numbers, and the suffix of their pictures' names.
struct ScreenLanguage {
    int code;
    const char* name;
};
inline constexpr ScreenLanguage kScreenLanguages[] = {{31, "en"}, {42, "de"}, {25, "zh"}};

// The folder the pictures go into: the command line's first argument, else SCREENS_DIR, else "screens".
QString ScreensOutput(int argc, char** argv);

// What the programs that render a page for a look by eye share: settings and the simulator under a
// temporary home, phones made by the large-device generator and plugged in, a manager for each, and
// the saving of a widget's picture. A QApplication must exist before the session.
class ScreensSession {
public:
    // The pictures go into ScreensOutput().
    ScreensSession(int argc, char** argv);
    // Releases the managers and stops listening.
    ~ScreensSession();
    ScreensSession(const ScreensSession&) = delete;
    ScreensSession& operator=(const ScreensSession&) = delete;

    const QString& Output() const { return m_output; }
    const QTemporaryDir& Home() const { return m_home; }
    // The simulator's folder of the phone.
    std::filesystem::path DeviceFolder(const char* udid) const;

    // Makes a phone in the simulator; it arrives once Connect() starts listening.
    bool Generate(const vexa::sim::LargeDeviceSpec& spec);
    // The same with the simulator's small demo content.
    bool GenerateDemo(const char* udid, const char* name);
    // Starts listening and waits until every one of these phones has arrived.
    bool Connect(std::initializer_list<const char*> udids);
    int Handle(const char* udid) const;
    // A manager bound to the phone, owned by the session; null when it did not arrive.
    IVexaManager* Manager(const char* udid);

    // "<output>/<name>_<language>.png"
    QString Picture(const QString& name, const char* language) const;
    // Lets the widget settle (a repaint, a thumbnail arriving) for `settleMs`, then saves its picture.
    static void Save(QWidget* widget, const QString& path, int settleMs = 80);

private:
    static int OnDevice(int mode, int handle);

    QString m_output;
    QTemporaryDir m_home;
    std::filesystem::path m_root;
    std::map<std::string, IVexaManager*> m_managers;
    bool m_listening = false;

    static std::mutex s_mutex;
    static std::map<std::string, int> s_handles;
};
