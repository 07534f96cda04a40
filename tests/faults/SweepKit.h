#pragma once

#include <functional>

#include <QByteArray>
#include <QString>
#include <QStringList>

class QBaseDetailsView;
class QObject;
class QMusicView;
class QSignalSpy;
class QTemporaryDir;
class SweepDevice;
class TreeNode;
struct MediaTrackRecord;

// Steps and helpers the fault sweep's rows of several categories share.

// How long a row waits for a page or a worker before it gives up on it.
constexpr int kSweepWaitMs = 15000;

// Files the sweep hands the program from the computer, and the folders it exports into.
QTemporaryDir& ExportRoot();
QByteArray FileBytes(const QString& path);

// The child of `parent` with that text, with or without the count the tree adds ("Name (3)").
TreeNode* ChildNamed(TreeNode* parent, const QString& text);
// The "Video" or "Music" node under the device's "Media" node.
TreeNode* MediaNode(const SweepDevice& device, int kind);
QMusicView* MusicPage(const SweepDevice& device);

// Has a category page read the device: presses its node, which loads the page on its first press, or
// presses Refresh on the page when it was shown before; then waits until the page's thread is idle and
// `ended` has fired. Answers whether the page is still there.
bool LoadPage(SweepDevice& device, TreeNode* node, QBaseDetailsView* view, const QSignalSpy& ended);
// Waits until the page's thread is idle and `ended` has fired; answers whether the page is still there.
bool WaitForPass(QBaseDetailsView* view, const QSignalSpy& ended);
// Waits until `object` is gone or `done` holds, then lets the results it queued run; answers whether
// `object` is still there. `done` is asked only while it is.
bool Await(const QObject* object, const std::function<bool()>& done);

// Answers the next file dialog with that file, or with that folder, and accepts it right after the
// sweep's hook.
void ChooseFileWhenShown(SweepDevice& device, const QString& path);
void ChooseFolderWhenShown(SweepDevice& device, const QString& folder);
// Runs an export that copies into a folder behind a transfer dialog. A healthy one closes its dialog by
// itself; one that stays open after its end shows its last line, which counts as its message, and is
// cancelled. True when the export ended with neither that nor a message.
bool ExportWithoutMessage(SweepDevice& device, const std::function<void()>& start);

// The titles of the tracks in the device's media library that `keep` accepts (all of them without it),
// read past the program.
QStringList DeviceTrackTitles(const SweepDevice& device,
                              const std::function<bool(const MediaTrackRecord&)>& keep = {});
// Adds a computer file to the device's media library past the program.
void AddToDeviceLibrary(const SweepDevice& device, const QString& path);
