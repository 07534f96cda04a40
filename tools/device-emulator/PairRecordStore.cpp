#include "PairRecordStore.h"

#include <cctype>
#include <fstream>
#include <iterator>

#include <QUuid>

#include "sim/DeviceState.h"

namespace vexa::emulator {

namespace fs = std::filesystem;

namespace {

constexpr size_t kMaxRecord = 1u << 20;

bool isPlainUdid(const std::string& udid) {
    if (udid.empty() || udid.size() > 64)
        return false;
    for (unsigned char c : udid) {
        if (!std::isalnum(c) && c != '-')
            return false;
    }
    return true;
}

} // namespace

PairRecordStore::PairRecordStore(fs::path folder)
    : m_folder(std::move(folder)) {
    std::error_code error;
    fs::create_directories(m_folder, error);
}

std::string PairRecordStore::SystemBuid() {
    std::lock_guard lock(m_mutex);
    if (!m_systemBuid.empty())
        return m_systemBuid;
    const fs::path file = m_folder / "SystemBUID";
    std::string text;
    if (sim::ReadSmallFile(file, 256, text) == 0 && !text.empty()) {
        m_systemBuid = text;
    } else {
        m_systemBuid = QUuid::createUuid().toString(QUuid::WithoutBraces).toUpper().toStdString();
        sim::WriteFileAtomically(file, m_systemBuid);
    }
    return m_systemBuid;
}

fs::path PairRecordStore::fileOf(const std::string& udid) const {
    return m_folder / (udid + ".plist");
}

bool PairRecordStore::Read(const std::string& udid, std::vector<uint8_t>& record) {
    std::lock_guard lock(m_mutex);
    std::string text;
    if (!isPlainUdid(udid) || sim::ReadSmallFile(fileOf(udid), kMaxRecord, text) != 0)
        return false;
    record.assign(text.begin(), text.end());
    return true;
}

bool PairRecordStore::Save(const std::string& udid, const std::vector<uint8_t>& record) {
    std::lock_guard lock(m_mutex);
    if (!isPlainUdid(udid) || record.empty() || record.size() > kMaxRecord)
        return false;
    return sim::WriteFileAtomically(fileOf(udid), std::string(record.begin(), record.end())) == 0;
}

bool PairRecordStore::Remove(const std::string& udid) {
    std::lock_guard lock(m_mutex);
    std::error_code error;
    return isPlainUdid(udid) && fs::remove(fileOf(udid), error);
}

} // namespace vexa::emulator
