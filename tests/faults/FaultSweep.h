#pragma once

#include <functional>
#include <string>
#include <vector>

#include <QPointer>
#include <QString>
#include <QStringList>

class DialogAnswerer;
class QBaseDetailsView;
class QContactsView;
class QDeviceInformationWidget;
class QNavigateWidget;
class QPlayAnalysisTread;
class TreeNode;
class qmessageView;
class IVexaManager;
struct ContactList;

// How a sweep cell makes one device operation go wrong.
enum class FaultKind {
    ErrorCode,    // the device answers with a failure code
    Delay,        // the device answers well, but much later than usual
    UnplugDuring, // the cable comes out while the call waits for the device
    UnplugBefore, // the cable comes out just before the user's action reaches the device
};

class SweepDevice;

// A device operation the program calls, how the sweep reaches it through the real views, and the message
// (or its beginning) a failed call must show. `operation` is the name the simulator's fault control knows.
struct SweepCall {
    QString operation;
    QString path;
    QString message;
};

// One row of the sweep: the call, and how the sweep brings it about and checks what it left.
// Later operations join the sweep by adding one of these to SweepOperations().
struct SweepOperation {
    SweepCall call;
    // Most calls run on a worker thread, so the window must keep responding while it waits; false where
    // the window itself waits for the device.
    bool worker = true;
    // The action cannot be interrupted between its start and the device call (an arrival): "unplug just
    // before" then comes from the fault control at the start of the call.
    bool unplugBeforeByFault = false;
    // Changes the user asked for happen on the device before this call (the contact before its group).
    QString earlierChange;
    // Brings the device and the views into the state the action needs (runs without faults).
    std::function<void(SweepDevice&)> prepare;
    // The user's action; calls SweepDevice::JustBeforeCall() right before the device call. Answers whether
    // the program believes it succeeded.
    std::function<bool(SweepDevice&)> act;
    // Asks the device itself (faults cleared) whether the action took effect.
    std::function<bool(SweepDevice&)> verify;
    // What a failed or interrupted action left behind that it must not (a partial file), or empty.
    std::function<QString(SweepDevice&)> leftovers;
    // Puts back what `prepare` changed for this row only, after its last cell.
    std::function<void(SweepDevice&)> finish;
    // A row on another backend brings its own fault control: `inject` plans the fault of that kind for the
    // row's next device call (or sets the hook of SweepDevice::JustBeforeCall), `clearFaults` takes back
    // what did not strike. Without them the simulator's fault control is used.
    std::function<void(SweepDevice&, FaultKind)> inject;
    std::function<void(SweepDevice&)> clearFaults;
    // In the delay cell the device never answers and the call's own deadline ends it: a message is due,
    // not a late result.
    bool delayEndsInMessage = false;
};

std::vector<SweepOperation> SweepOperations();

// Each category's rows, in its own Sweep*.cpp file; SweepOperations() gives their order.
void AddInformationOperations(std::vector<SweepOperation>& operations);    // arrival, storage, name
void AddContactsOperations(std::vector<SweepOperation>& operations);       // contacts and their groups
void AddMessagesOperations(std::vector<SweepOperation>& operations);       // the conversations
void AddMusicOperations(std::vector<SweepOperation>& operations);          // songs and playlists
void AddBackupToFolderOperations(std::vector<SweepOperation>& operations); // backup into a folder
void AddBooksOperations(std::vector<SweepOperation>& operations);          // add, delete, export
void AddFileSystemOperations(std::vector<SweepOperation>& operations);     // a folder of the device
void AddAppsOperations(std::vector<SweepOperation>& operations);           // list, icons, install, backup
void AddVideosOperations(std::vector<SweepOperation>& operations);         // list, add, delete, play
void AddDragOperations(std::vector<SweepOperation>& operations);           // a song dragged off the device
void AddPhotosOperations(std::vector<SweepOperation>& operations);         // photos, albums, import
void AddBackupOperations(std::vector<SweepOperation>& operations); // restore, transfer to a second phone
// Repeats rows of the device's record, storage, name and apps over the usb backend, through the device
// emulator and its own fault modes.
void AddUsbOperations(std::vector<SweepOperation>& operations);

// The simulated phone the sweep works on, seen through the navigation widget of the program.
class SweepDevice {
public:
    SweepDevice(QNavigateWidget* navigate, DialogAnswerer* dialogs, QString root, std::string udid);

    QNavigateWidget* Navigate() const { return m_navigate; }
    DialogAnswerer* Dialogs() const { return m_dialogs; }
    const std::string& Udid() const { return m_udid; }

    // The device's handle while the program knows it, else -1.
    int Handle() const;
    TreeNode* DeviceNode() const;
    TreeNode* Category(int kind) const;
    QDeviceInformationWidget* InformationPage() const;
    QContactsView* ContactsView() const;
    qmessageView* MessagesView() const;
    // The music page, under the media node.
    QBaseDetailsView* MusicView() const;
    QPlayAnalysisTread* PlaylistLoader() const;
    void Press(TreeNode* node);

    void SetPlugged(bool plugged);
    // Waits until the program shows the device with its views and its first reads have ended.
    bool WaitShown(int timeoutMs = 15000);
    // Waits until the program has let go of the device.
    bool WaitGone(int timeoutMs = 15000);

    // Makes the phone report that model, plugging it out and in when it changes, so that the program
    // reads the new record.
    bool EnsureProductType(const char* productType);

    // The contacts page loaded from the device, shown.
    QContactsView* LoadedContacts();

    // Runs `use` on a manager of its own for the device (the program's views are not involved).
    bool WithManager(const std::function<bool(IVexaManager*)>& use) const;
    // The device's contacts and groups as text: "first|last|groups" lines, then "#group" lines.
    QStringList DeviceContacts() const;
    QStringList DevicePlaylists() const;
    QString DeviceName() const;

    // The content of the device's folder, databases as rows, so that any change shows.
    QString Snapshot() const;

    // A fresh number for names the sweep makes.
    int Next() { return ++m_counter; }

    // Set by the sweep for the "unplug just before" cells.
    void SetBeforeCall(std::function<void()> hook) { m_beforeCall = std::move(hook); }
    void JustBeforeCall();

    QString FaultsFile() const;
    QString DeviceFolder() const;

private:
    QNavigateWidget* m_navigate;
    DialogAnswerer* m_dialogs;
    QString m_root;
    std::string m_udid;
    std::function<void()> m_beforeCall;
    int m_counter = 0;
};

// Runs every operation under every fault kind and prints the table.
class FaultSweep {
public:
    explicit FaultSweep(SweepDevice& device);

    // Returns false when any cell failed; `report` receives the table lines.
    bool Run(const std::vector<SweepOperation>& operations, QStringList* report);

    static QString KindName(FaultKind kind);
    static int ThreadCount();

private:
    struct Cell {
        bool ok = false;
        QString text;
    };
    Cell Healthy(const SweepOperation& operation);
    Cell Faulty(const SweepOperation& operation, FaultKind kind);
    bool Reconnect();
    bool SawFailureMessage(const SweepOperation& operation) const;
    static bool Skipped(const QString& cell);

    SweepDevice& m_device;
};
