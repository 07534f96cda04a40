#include "MobileBackupSession.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

#include <vexa/VexaResult.h>

#include "DeviceLinkFiles.h"
#include "TransferProgress.h"
#include "UsbDevice.h"
#include "formats/Plist.h"

namespace vexa::usb {

namespace {

constexpr const char* kService = "com.apple.mobilebackup2";

bool mentions(std::string text, const char* word) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text.find(word) != std::string::npos;
}

// The device's own error numbers mean nothing outside it; its text tells a wrong password or a full disk.
int resultOfDeviceError(uint64_t code, const std::string& description) {
    std::fprintf(stderr, "vexa: the device ended the backup session with error %llu: %s\n",
                 static_cast<unsigned long long>(code), description.c_str());
    if (mentions(description, "password")) {
        return VEXA_E_PASSWORD;
    }
    if (mentions(description, "space")) {
        return VEXA_E_NO_SPACE;
    }
    return VEXA_E_IO;
}

int resultOf(plist_t reply) {
    if (reply == nullptr || plist_get_node_type(reply) != PLIST_DICT) {
        return VEXA_E_PROTOCOL;
    }
    plist_t code = plist_dict_get_item(reply, "ErrorCode");
    if (code == nullptr || plist_get_node_type(code) != PLIST_UINT) {
        return VEXA_E_PROTOCOL;
    }
    uint64_t value = 0;
    plist_get_uint_val(code, &value);
    return value == 0 ? VEXA_OK
                      : resultOfDeviceError(value, formats::Plist::String(reply, "ErrorDescription"));
}

} // namespace

MobileBackupSession::MobileBackupSession(const UsbDevice& device, TransferProgress& progress)
    : m_device(device)
    , m_progress(progress)
    , m_link(device) {
    m_link.SetWaitCheck([this] { return m_cancellable ? m_progress.Check() : VEXA_OK; });
}

int MobileBackupSession::open() {
    m_link.SetSilenceLimit(kAnswerLimit);
    if (int result = m_link.Open(kService); result != VEXA_OK) {
        return result;
    }
    if (int result = m_link.ExchangeVersion(); result != VEXA_OK) {
        return result;
    }
    return hello();
}

int MobileBackupSession::hello() {
    plist_t versions = plist_new_array();
    plist_array_append_item(versions, plist_new_real(2.0));
    plist_array_append_item(versions, plist_new_real(2.1));
    plist_t message = plist_new_dict();
    plist_dict_set_item(message, "MessageName", plist_new_string("Hello"));
    plist_dict_set_item(message, "SupportedProtocolVersions", versions);
    if (int result = m_link.SendProcessMessage(message); result != VEXA_OK) {
        return result;
    }
    PlistPtr reply;
    std::string name;
    if (int result = m_link.Receive(reply, name); result != VEXA_OK) {
        return result;
    }
    if (name != "DLMessageProcessMessage") {
        return VEXA_E_PROTOCOL;
    }
    return resultOf(plist_array_get_item(reply.get(), 1));
}

int MobileBackupSession::request(const char* what, const std::string& sourceId, plist_t options) {
    plist_t message = plist_new_dict();
    plist_dict_set_item(message, "MessageName", plist_new_string(what));
    plist_dict_set_item(message, "TargetIdentifier", plist_new_string(m_device.Udid().c_str()));
    plist_dict_set_item(message, "SourceIdentifier", plist_new_string(sourceId.c_str()));
    plist_dict_set_item(message, "Options", options);
    return m_link.SendProcessMessage(message);
}

int MobileBackupSession::serve(DeviceLinkFiles& files, bool restoring) {
    for (;;) {
        // The device may work a long while between requests (a snapshot of its data, applying a restore).
        m_link.SetSilenceLimit(kWorkLimit);
        PlistPtr message;
        std::string name;
        if (int result = m_link.Receive(message, name); result != VEXA_OK) {
            return result;
        }
        m_link.SetSilenceLimit(kAnswerLimit);
        int result = VEXA_OK;
        bool handled = false;
        if (name == "DLMessageUploadFiles") {
            result = files.ReceiveFiles(m_link, message.get(), m_progress);
        } else if (name == "DLMessageDownloadFiles") {
            // While backing up the device reads the earlier backup's state: no part of the transfer.
            result = files.SendFiles(m_link, message.get(), restoring ? &m_progress : nullptr);
            // The device has what it asked for and may be applying it: stopping now would leave it
            // half-restored.
            m_cancellable = !(restoring && result == VEXA_OK);
        } else if (name == "DLMessageProcessMessage") {
            return resultOf(plist_array_get_item(message.get(), 1));
        } else if (name == "DLMessageDisconnect") {
            return m_device.IsConnected() ? VEXA_E_IO : VEXA_E_UNPLUGGED;
        } else if (result = files.Answer(m_link, name, message.get(), handled); !handled) {
            result = m_link.SendStatus(1, "Operation not supported");
        }
        if (result != VEXA_OK) {
            return result;
        }
    }
}

int MobileBackupSession::Backup(const std::filesystem::path& folder, bool full) {
    if (int result = open(); result != VEXA_OK) {
        return result;
    }
    plist_t options = plist_new_dict();
    if (full) {
        plist_dict_set_item(options, "ForceFullBackup", plist_new_bool(1));
    }
    if (int result = request("Backup", m_device.Udid(), options); result != VEXA_OK) {
        return result;
    }
    DeviceLinkFiles files(folder, m_device.Udid());
    const int result = serve(files, false);
    m_link.Disconnect();
    return result;
}

int MobileBackupSession::Restore(const std::filesystem::path& folder, const std::string& sourceId,
                                 const std::string& password) {
    if (int result = open(); result != VEXA_OK) {
        return result;
    }
    plist_t options = plist_new_dict();
    plist_dict_set_item(options, "RestoreShouldReboot", plist_new_bool(0));
    plist_dict_set_item(options, "RestoreDontCopyBackup", plist_new_bool(0));
    plist_dict_set_item(options, "RestorePreserveSettings", plist_new_bool(1));
    plist_dict_set_item(options, "RestoreSystemFiles", plist_new_bool(1));
    plist_dict_set_item(options, "RemoveItemsNotRestored", plist_new_bool(0));
    if (!password.empty()) {
        plist_dict_set_item(options, "Password", plist_new_string(password.c_str()));
    }
    if (int result = request("Restore", sourceId, options); result != VEXA_OK) {
        return result;
    }
    DeviceLinkFiles files(folder, sourceId);
    const int result = serve(files, true);
    m_link.Disconnect();
    return result;
}

} // namespace vexa::usb
