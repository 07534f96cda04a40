// The table of device-library operations the program calls, each reached the way the user reaches it.
// A new operation joins the sweep with one more entry in its category's file: its name for the fault
// control, how the user reaches it, the message a failure must show, and an action that drives the real
// views. Their order is the table's: CTest splits the table into parts by position.
//
// Not in the table: the service accessors (GetFileService, GetDeviceService, ...), which make no device
// call; GetBackups, whose failure only leaves the restore window's list empty.
//
// Not in the table because the program shows nothing when they fail, on purpose: DeletePhotos and
// GetDeleteProgress (the photo delete action leaves what stayed on the page after its reload) and
// LoadThumbnail (a picture without a thumbnail shows its name). Their failures are driven in the
// photos module's own tests.
// The file export's copy itself is in the table through the music page, and again through a song
// dragged out of it (SweepDrag.cpp).

#include "FaultSweep.h"

std::vector<SweepOperation> SweepOperations() {
    std::vector<SweepOperation> operations;
    AddInformationOperations(operations);
    AddContactsOperations(operations);
    AddMessagesOperations(operations);
    AddMusicOperations(operations);
    AddBackupToFolderOperations(operations);
    AddBooksOperations(operations);
    AddFileSystemOperations(operations);
    AddAppsOperations(operations);
    AddVideosOperations(operations);
    AddDragOperations(operations);
    AddPhotosOperations(operations);
    AddBackupOperations(operations);
    AddUsbOperations(operations);
    return operations;
}
