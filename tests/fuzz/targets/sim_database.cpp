// A simulated device's database file as vexa-simctl or a damaged disk may leave it.
#include <sqlite3.h>

#include "DeviceContent.h"
#include "FuzzRegistry.h"
#include "sim/SimDatabase.h"
#include "sim/content/ContentSchema.h"

using namespace vexa::sim;

VEXA_FUZZ_TARGET(sim_database) {
    const std::filesystem::path folder = fuzz::Scratch() / "sim_database";
    std::error_code error;
    std::filesystem::remove_all(folder, error);
    std::filesystem::create_directories(folder, error);
    fuzz::WriteFile(folder / "device.db", data, size);
    SimDatabase database(folder / "device.db", SimDatabase::OpenMode::MustExist);
    DatabaseSession session = database.Lock();
    if (session.Result() != 0)
        return 0;
    // The content services create missing tables before their first read; so does the target.
    if (!ContentSchema::EnsureDeviceTables(session.Handle()))
        return 0;
    ListDeviceContent(session.Handle(), folder);
    return 0;
}
