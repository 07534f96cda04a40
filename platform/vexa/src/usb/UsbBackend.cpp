#include "UsbBackend.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <utility>

#include <sys/stat.h>
#include <unistd.h>

#include <vexa/VexaResult.h>

#include "LockdownSession.h"
#include "UsbDevice.h"

namespace vexa::usb {

namespace {
// How often a device that waits for "Trust" is asked again.
constexpr auto kPairingRetry = std::chrono::milliseconds(500);
// A garbled or cut-short answer is asked again this often before the device counts as failed: one
// bad message while the cable settles should not send the user to replug.
constexpr int kPairingAttempts = 3;
// How often the socket of a usbmuxd that is not running yet is looked for.
constexpr auto kSocketWatch = std::chrono::milliseconds(100);
constexpr const char* kDefaultSocket = "/var/run/usbmuxd";
// Where distributions install the daemon; Debian's package "usbmuxd" puts it in /usr/sbin.
constexpr const char* kDaemonPaths[] = {"/usr/sbin/usbmuxd", "/sbin/usbmuxd", "/usr/local/sbin/usbmuxd",
                                        "/usr/bin/usbmuxd"};

// The muxer someone chose instead of the installed daemon, or null.
const char* chosenAddress() {
    const char* address = std::getenv("USBMUXD_SOCKET_ADDRESS");
    return address != nullptr && *address != '\0' ? address : nullptr;
}

bool isSocket(const std::string& path) {
    struct stat info = {};
    return ::stat(path.c_str(), &info) == 0 && S_ISSOCK(info.st_mode);
}

bool daemonInstalled() {
    for (const char* path : kDaemonPaths) {
        if (::access(path, X_OK) == 0) {
            return true;
        }
    }
    return false;
}
} // namespace

UsbBackend& UsbBackend::Instance() {
    static UsbBackend backend;
    return backend;
}

UsbBackend::~UsbBackend() {
    Stop();
}

std::string UsbBackend::SocketPath() {
    const char* address = chosenAddress();
    if (address == nullptr) {
        return kDefaultSocket;
    }
    const std::string text(address);
    return text.rfind("UNIX:", 0) == 0 ? text.substr(5) : std::string();
}

int UsbBackend::Transport() {
    const std::string path = SocketPath();
    if (path.empty() || isSocket(path)) {
        return VEXA_TRANSPORT_LISTENING;
    }
    // A muxer named by USBMUXD_SOCKET_ADDRESS is not the installed daemon: it is only waited for.
    return chosenAddress() != nullptr || daemonInstalled() ? VEXA_TRANSPORT_WAITING
                                                           : VEXA_TRANSPORT_NOT_INSTALLED;
}

int UsbBackend::Start() {
    std::lock_guard lock(m_mutex);
    if (m_thread.joinable()) {
        return VEXA_OK;
    }
    m_stop = false;
    m_callbackChanged = true;
    m_thread = std::thread([this] { run(); });
    return VEXA_OK;
}

void UsbBackend::Stop() {
    std::thread thread;
    {
        std::lock_guard lock(m_mutex);
        m_stop = true;
        thread = std::move(m_thread);
    }
    m_wake.notify_all();
    if (thread.joinable()) {
        thread.join(); // reports every device gone
    }
    usbmuxd_subscription_context_t subscription = nullptr;
    {
        std::lock_guard lock(m_mutex);
        subscription = std::exchange(m_subscription, nullptr);
    }
    if (subscription != nullptr) {
        usbmuxd_events_unsubscribe(subscription); // joins libusbmuxd's thread: no event comes after
    }
    std::lock_guard lock(m_mutex);
    m_events.clear();
}

void UsbBackend::subscribe() {
    const std::string path = SocketPath();
    if (!path.empty() && !isSocket(path)) {
        return;
    }
    // libusbmuxd watches only the default socket's folder for a restarted daemon; another path is polled.
    libusbmuxd_set_use_inotify(chosenAddress() == nullptr ? 1 : 0);
    // libusbmuxd reports the devices already attached first, and reconnects by itself when the daemon
    // restarts.
    usbmuxd_subscription_context_t subscription = nullptr;
    if (usbmuxd_events_subscribe(&subscription, &UsbBackend::onUsbmuxdEvent, this) != 0) {
        static bool told = false;
        if (!std::exchange(told, true)) {
            std::fprintf(stderr, "vexa: cannot subscribe to usbmuxd's device events\n");
        }
        return;
    }
    std::lock_guard lock(m_mutex);
    m_subscription = subscription;
}

void UsbBackend::RetryPairing() {
    {
        std::lock_guard lock(m_mutex);
        m_retry = true;
    }
    m_wake.notify_all();
}

bool UsbBackend::IsActive() const {
    std::lock_guard lock(m_mutex);
    return m_thread.joinable();
}

int UsbBackend::SetCallback(VexaListenerCallback callback) {
    std::unique_lock lock(m_mutex);
    m_callback = callback;
    m_callbackChanged = true;
    m_wake.notify_all();
    // The previous callback's owner may be destroyed once this returns: a delivery in flight ends first,
    // unless it is that delivery calling back.
    if (std::this_thread::get_id() != m_thread.get_id())
        m_delivered.wait(lock, [this] { return m_delivering == 0; });
    return VEXA_OK;
}

std::shared_ptr<UsbDevice> UsbBackend::Find(int handle) const {
    std::lock_guard lock(m_mutex);
    auto it = m_byHandle.find(handle);
    return it == m_byHandle.end() ? nullptr : it->second;
}

void UsbBackend::onUsbmuxdEvent(const usbmuxd_event_t* event, void* self) {
    // Devices reached over the network are not managed.
    if (event == nullptr || event->device.conn_type != CONNECTION_TYPE_USB) {
        return;
    }
    auto* backend = static_cast<UsbBackend*>(self);
    {
        std::lock_guard lock(backend->m_mutex);
        backend->m_events.push_back({event->event, std::string(event->device.udid)});
    }
    backend->m_wake.notify_all();
}

void UsbBackend::deliver(int mode, int handle) {
    VexaListenerCallback callback = nullptr;
    {
        std::lock_guard lock(m_mutex);
        callback = m_callback;
        if (callback == nullptr)
            return;
        ++m_delivering;
    }
    callback(mode, handle); // no lock held: the callback calls back into the library
    {
        std::lock_guard lock(m_mutex);
        --m_delivering;
    }
    m_delivered.notify_all();
}

void UsbBackend::announce(Entry& entry) {
    {
        std::lock_guard lock(m_mutex);
        if (m_callback == nullptr) {
            return;
        }
    }
    if ((entry.state == entry.announced && !entry.reannounce) || entry.state == State::Unpaired) {
        return;
    }
    entry.announced = entry.state;
    entry.reannounce = false;
    const int handle = entry.device->Handle();
    switch (entry.state) {
    case State::Ready:
        deliver(VEXA_DEVICE_ARRIVED, handle);
        break;
    case State::TrustPending:
        deliver(VEXA_DEVICE_TRUST_PENDING, handle);
        break;
    case State::Failed:
        deliver(VEXA_DEVICE_PAIRING_FAILED, handle);
        break;
    case State::Unpaired:
        break;
    }
}

void UsbBackend::tryToPair(Entry& entry) {
    LockdownSession session(*entry.device);
    if (session.Result() == VEXA_OK) {
        entry.state = State::Ready;
    } else if (IsTrustPending(session.Error())) {
        entry.state = State::TrustPending;
    } else if (session.Result() == VEXA_E_NOT_TRUSTED) {
        std::fprintf(stderr, "vexa: pairing with %s failed (lockdown error %d)\n",
                     entry.device->Udid().c_str(), static_cast<int>(session.Error()));
        entry.state = State::Failed;
    } else if (session.Result() != VEXA_E_UNPLUGGED && session.Result() != VEXA_E_TIMEOUT &&
               ++entry.failedAttempts >= kPairingAttempts) {
        std::fprintf(stderr, "vexa: device %s does not answer lockdown (error %d)\n",
                     entry.device->Udid().c_str(), static_cast<int>(session.Error()));
        entry.state = State::Failed;
    }
    // A lost or silent connection keeps the device unpaired: the next round asks again, or its removal
    // event ends it.
}

void UsbBackend::handleEvent(const Event& event) {
    if (event.kind == UE_DEVICE_ADD) {
        if (m_devices.count(event.udid) != 0) {
            return;
        }
        Entry entry;
        {
            std::lock_guard lock(m_mutex);
            entry.device = std::make_shared<UsbDevice>(m_nextHandle++, event.udid);
            m_byHandle[entry.device->Handle()] = entry.device;
        }
        m_devices.emplace(event.udid, std::move(entry));
    } else if (event.kind == UE_DEVICE_REMOVE) {
        auto it = m_devices.find(event.udid);
        if (it == m_devices.end()) {
            return;
        }
        Entry entry = std::move(it->second);
        m_devices.erase(it);
        entry.device->MarkRemoved();
        {
            std::lock_guard lock(m_mutex);
            m_byHandle.erase(entry.device->Handle());
        }
        if (entry.announced != State::Unpaired) {
            deliver(VEXA_DEVICE_REMOVED, entry.device->Handle());
        }
    }
    // UE_DEVICE_PAIRED needs nothing: the next round finds the device trusted.
}

void UsbBackend::run() {
    for (;;) {
        bool subscribed = false;
        {
            std::lock_guard lock(m_mutex);
            subscribed = m_subscription != nullptr || m_stop;
        }
        if (!subscribed) {
            subscribe();
        }
        std::deque<Event> events;
        bool stop = false;
        bool retry = false;
        {
            std::unique_lock lock(m_mutex);
            bool waiting = false;
            for (const auto& [udid, entry] : m_devices) {
                waiting = waiting || entry.state == State::Unpaired || entry.state == State::TrustPending;
            }
            auto due = [this] { return m_stop || !m_events.empty() || m_callbackChanged || m_retry; };
            if (m_subscription == nullptr) {
                m_wake.wait_for(lock, kSocketWatch, due);
            } else if (waiting) {
                m_wake.wait_for(lock, kPairingRetry, due);
            } else {
                m_wake.wait(lock, due);
            }
            events.swap(m_events);
            stop = m_stop;
            retry = std::exchange(m_retry, false);
            if (m_callbackChanged) {
                m_callbackChanged = false;
                for (auto& [udid, entry] : m_devices) {
                    entry.announced = State::Unpaired; // a new callback hears of every device again
                }
            }
        }
        if (stop) {
            break;
        }
        for (const Event& event : events) {
            handleEvent(event);
        }
        for (auto& [udid, entry] : m_devices) {
            if (retry && entry.state == State::Failed) {
                entry.state = State::Unpaired;
                entry.failedAttempts = 0;
                entry.reannounce = true;
            }
        }
        for (auto& [udid, entry] : m_devices) {
            if (entry.state == State::Unpaired || entry.state == State::TrustPending) {
                tryToPair(entry);
            }
            announce(entry);
        }
    }
    // Stopping the backend unplugs everything it reported.
    for (auto& [udid, entry] : m_devices) {
        entry.device->MarkRemoved();
        if (entry.announced != State::Unpaired) {
            deliver(VEXA_DEVICE_REMOVED, entry.device->Handle());
        }
    }
    std::lock_guard lock(m_mutex);
    m_devices.clear();
    m_byHandle.clear();
    m_events.clear();
}

} // namespace vexa::usb
