#include "CCliContext.h"

#include "CCliCommand.h"
#include "CCliOutput.h"
#include "CliExit.h"
#include "ResultReason.h"

CCliContext::CCliContext(const CCliCommand& command, const QCommandLineParser& parser)
    : m_command(command)
    , m_parser(parser)
    , m_arguments(parser.positionalArguments()) {}

CCliDevices* CCliContext::Devices() {
    if (m_devices || m_devicesFailed)
        return m_devices.get();
    auto devices = std::make_unique<CCliDevices>();
    const QString udid = m_command.takesDevice ? m_parser.value(QStringLiteral("udid")) : QString();
    const int result = devices->Start(udid);
    if (result != 0) {
        m_devicesFailed = true;
        CCliOutput::Error(WithReason(tr("the device library could not start"), result));
        return nullptr;
    }
    m_devices = std::move(devices);
    return m_devices.get();
}

const CConnectedDevice* CCliContext::Device(int* exitCode) {
    CCliDevices* devices = Devices();
    if (!devices) {
        *exitCode = kExitFailed;
        return nullptr;
    }
    const CConnectedDevice* device = devices->Choose(m_parser.value(QStringLiteral("udid")));
    *exitCode = device ? kExitOk : kExitNoDevice;
    return device;
}
