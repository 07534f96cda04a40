// The keybag of an encrypted backup's Manifest.plist: its entries parsed and its class keys unwrapped with a
// password key (never derived here: the rounds come from the input).
#include <algorithm>
#include <vector>

#include "formats/BackupKeyBag.h"

#include "FuzzRegistry.h"

VEXA_FUZZ_TARGET(backup_keybag) {
    vexa::formats::BackupKeyBag keyBag;
    if (keyBag.Parse(std::vector<uint8_t>(data, data + size)) == 0) {
        keyBag.UnlockWithKey(std::vector<uint8_t>(vexa::formats::BackupKeyBag::kKeyBytes, 0x5a));
        std::vector<uint8_t> key;
        keyBag.UnwrapKey(std::vector<uint8_t>(data, data + std::min<size_t>(size, 44)), key);
    }
    return 0;
}
