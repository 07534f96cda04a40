#pragma once

namespace vexa::sim {

class SimDevice;

// Devices made by earlier versions of the simulator, and backups taken of them, kept their contacts,
// messages, list of books and photo library in tables of the private device.sqlite. MoveLegacyContent hands
// them to the address book, sms.db, Books.plist and Photos.sqlite, where a phone keeps them, and then drops
// the old tables, so that the content is in one place only. A device without those tables is left alone; a
// move that fails changes nothing and is tried again the next time. Answers a VexaResult.
int MoveLegacyContent(SimDevice& device);

} // namespace vexa::sim
