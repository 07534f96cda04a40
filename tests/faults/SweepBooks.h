#pragma once

#include <QString>

class SweepDevice;

// The books page's steps for the fault sweep: the table rows in SweepOperations.cpp call these.
namespace SweepBooks {

// The books page loaded from the device and shown; false when it could not be loaded.
bool Loaded(SweepDevice& device);
// Puts one PDF (or, with `unpacked`, an EPUB kept as a folder) on the device behind the page's back.
void EnsureBook(SweepDevice& device, bool unpacked);
// Add on the books page, one PDF chosen in the file dialog.
bool AddThroughDialog(SweepDevice& device);
// The device holds the PDF the last add chose.
bool DeviceHasAddedBook(SweepDevice& device);
// Checks one book, presses Delete and answers yes.
bool DeleteOne(SweepDevice& device);
// The device no longer holds the book the last delete chose.
bool DeviceLostDeletedBook(SweepDevice& device);
// "To Computer" of the unpacked EPUB into a fresh folder; true when its one archive is there.
bool ExportUnpacked(SweepDevice& device);
// Anything the failed export left in its folder.
QString ExportLeftovers(SweepDevice& device);

} // namespace SweepBooks
