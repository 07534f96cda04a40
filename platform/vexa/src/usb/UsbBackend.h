#pragma once

#include <condition_variable>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include <usbmuxd.h>

#include <vexa/vexa.h>

namespace vexa::usb {

class UsbDevice;

// The usb backend's process-wide state: the usbmuxd subscription, the devices it reported and the
// notification thread. usbmuxd's events arrive on libusbmuxd's own thread and are only queued there;
// pairing (which can wait on the user for a long time) and every callback run on our thread, in order.
class UsbBackend {
public:
    static UsbBackend& Instance();
    ~UsbBackend();

    // Where usbmuxd listens: the path of USBMUXD_SOCKET_ADDRESS ("UNIX:/path"), else /var/run/usbmuxd;
    // empty when the address is a network one, which cannot be watched.
    static std::string SocketPath();
    // VEXA_TRANSPORT_LISTENING, _WAITING or _NOT_INSTALLED (see vexa.h).
    static int Transport();

    // Starts the notification thread. Until usbmuxd's socket exists (Debian starts the daemon only
    // when a device is plugged in) the thread watches for it and subscribes once it appears.
    int Start();
    // Ends the subscription and reports every device gone. Safe when not started.
    void Stop();
    bool IsActive() const;
    int SetCallback(VexaListenerCallback callback);
    // Devices whose pairing failed are asked again, and reported again whatever they answer.
    void RetryPairing();
    std::shared_ptr<UsbDevice> Find(int handle) const;
    bool Owns(int handle) const { return handle >= kFirstHandle; }

private:
    // Far above the simulator's handles, so a handle tells which backend made it.
    static constexpr int kFirstHandle = 1 << 20;

    enum class State {
        Unpaired,
        TrustPending,
        Failed,
        Ready,
    };
    struct Entry {
        std::shared_ptr<UsbDevice> device;
        State state = State::Unpaired;
        State announced = State::Unpaired; // what the current callback last heard
        int failedAttempts = 0;            // pairing rounds that got a broken answer
        bool reannounce = false;           // asked again: the answer is told even when it is the same
    };
    struct Event {
        int kind;
        std::string udid;
    };

    UsbBackend() = default;
    static void onUsbmuxdEvent(const usbmuxd_event_t* event, void* self);
    void run();
    void subscribe();
    void handleEvent(const Event& event);
    void tryToPair(Entry& entry);
    void announce(Entry& entry);
    void deliver(int mode, int handle);

    mutable std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<Event> m_events;
    bool m_stop = false;
    bool m_callbackChanged = false;
    bool m_retry = false;
    VexaListenerCallback m_callback = nullptr;
    int m_delivering = 0; // callbacks in flight, run without the lock
    std::condition_variable m_delivered;
    usbmuxd_subscription_context_t m_subscription = nullptr;
    std::map<std::string, Entry> m_devices; // by udid; only the notification thread changes entries
    std::map<int, std::shared_ptr<UsbDevice>> m_byHandle;
    int m_nextHandle = kFirstHandle;
    std::thread m_thread;
};

} // namespace vexa::usb
