#pragma once

#include <memory>

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QStringList>

#include "CCliCommand.h"
#include "CCliDevices.h"

struct CConnectedDevice;

// What a running command is given: its parsed command line and, on demand, the plugged devices.
class CCliContext {
    Q_DECLARE_TR_FUNCTIONS(CCliContext)
public:
    CCliContext(const CCliCommand& command, const QCommandLineParser& parser);

    const QStringList& Arguments() const { return m_arguments; }
    QString Argument(int index) const { return m_arguments.value(index); }
    bool IsSet(const QString& option) const { return m_parser.isSet(option); }
    QString Value(const QString& option) const { return m_parser.value(option); }
    bool Json() const { return m_command.takesJson && m_parser.isSet(QStringLiteral("json")); }

    // The devices plugged in now; null after a complaint when the device library could not start.
    CCliDevices* Devices();
    // The device -u names, or the only one plugged in. Null after the complaint; *exitCode is then 3
    // (no such device, or several) or 1 (the library could not start).
    const CConnectedDevice* Device(int* exitCode);

private:
    const CCliCommand& m_command;
    const QCommandLineParser& m_parser;
    QStringList m_arguments;
    std::unique_ptr<CCliDevices> m_devices;
    bool m_devicesFailed = false;
};
