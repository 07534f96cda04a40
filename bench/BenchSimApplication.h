#pragma once

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

#include "AppPaths.h"
#include "BenchMessageCloser.h"

// What a benchmark of a page on the simulated device sets up before anything else: the offscreen
// platform (unless one is chosen), a simulator in a temporary folder, the application, the program's
// images and translations from the program folder beside the benchmarks, and a closer for messages.
class BenchSimApplication {
public:
    BenchSimApplication(int& argc, char** argv)
        : m_environment(PrepareEnvironment(m_home))
        , m_application(argc, argv) {
        SetAppDirPathForTesting(QCoreApplication::applicationDirPath() + QStringLiteral("/../bin"));
    }

    // A path in the temporary folder, which holds the simulator's folder "simulator" too.
    QString FilePath(const QString& name) const { return m_home.filePath(name); }

private:
    // Before the application is made: it reads the platform, and the library the backend and its root.
    static bool PrepareEnvironment(const QTemporaryDir& home) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        qputenv("VEXA_SIM_ROOT", QFile::encodeName(home.filePath(QStringLiteral("simulator"))));
        qputenv("VEXA_BACKEND", "sim");
        return true;
    }

    QTemporaryDir m_home;
    [[maybe_unused]] bool m_environment;
    QApplication m_application;
    BenchMessageCloser m_messageCloser;
};
