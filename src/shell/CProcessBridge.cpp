#include "CProcessBridge.h"

#include <QDebug>

#include "CProcessThread.h"
#include "LanguageService.h"

namespace {
const char* const kSuccessLine = "Everything is Ok";
} // namespace

bool CProcessBridge::Zip(const std::string& archive, const std::string& source) {
    return Execute({SevenZipPath(), "a", archive, source, "-y", "-tzip"});
}

bool CProcessBridge::DeleteFromZip(const std::string& archive, const std::string& entry) {
    return Execute({SevenZipPath(), "d", archive, entry, "-y", "-tzip"});
}

bool CProcessBridge::Unzip(const std::string& archive, const std::string& folder) {
    return Execute({SevenZipPath(), "x", archive, "-o" + folder, "-y", "-tzip"});
}

bool CProcessBridge::Execute(const std::vector<std::string>& arguments) {
    std::unique_lock lock(m_lock, std::try_to_lock);
    if (!lock.owns_lock() || m_busy) {
        return false;
    }
    QString commandLine;
    for (const std::string& argument : arguments) {
        commandLine += QStringLiteral("\"%1\" ").arg(QString::fromStdString(argument));
    }
    qDebug() << "**********************************" << qPrintable(commandLine);
    m_busy = true;
    m_lastErrorCode = 0;
    bool succeeded = false;
    {
        CProcessThread thread(arguments, this);
        if (thread.Start()) {
            thread.Wait();
            succeeded = thread.Succeeded() && m_exitCode == 0 && FindOutput(kSuccessLine);
        }
    }
    m_busy = false;
    m_exitCode = -1;
    // RunRedirected kills (when stopped) and reaps its child before it returns, so there is nothing
    // left to end here; the pid may already belong to another process.
    m_process = 0;
    return succeeded;
}

bool CProcessBridge::FindOutput(const std::string& text, std::string* line) const {
    for (const std::string& output : m_output) {
        if (output.find(text) != std::string::npos) {
            if (line != nullptr) {
                *line = output;
            }
            return true;
        }
    }
    return false;
}

std::string CProcessBridge::SevenZipPath() {
    return (AppDirPath() + QStringLiteral("/7z")).toStdString();
}

void CProcessBridge::OnBegin() {
    m_output.clear();
    m_errors.clear();
    qDebug("------------------OnBegin------------------");
}

void CProcessBridge::OnNotify(const char* line) {
    m_output.emplace_back(line);
    qDebug("OnNotify---%s", line);
}

void CProcessBridge::OnError(int code, const char* text) {
    m_errors.emplace_back(text);
    m_lastErrorCode = code;
    qDebug("OnError---:%d---%s", code, text);
}

void CProcessBridge::OnEnd() {
    qDebug("------------------OnEnd------------------");
}

void CProcessBridge::OnExitCode(int code) {
    m_exitCode = code;
    // The child has been reaped: its pid may belong to another process from now on.
    m_process = 0;
    qDebug("OnExitCodec---:%d", code);
}

void CProcessBridge::OnHandle(pid_t process) {
    m_process = process;
    qDebug("OnHandle---:%d", static_cast<int>(process));
}
