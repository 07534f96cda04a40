#include "DeviceFormat.h"

#include <QHash>

namespace {

struct ModelPair {
    const char* key;
    const char* name;
};

// Inserted in this order; a later pair with the same key wins. The keys with a suffix ("_0", "_4") and
// the "ipod_" family come from the older device families and cannot be produced from a product type;
// they are kept so the table stays one list of every model the program knows.
constexpr ModelPair kModels[] = {
    {"iphone1,1_0", "iPhone"},
    {"iphone1,1_1", "iPhone"},
    {"iphone1,1_2", "iPhone 2G"},
    {"iphone1,1_3", "iPhone 2G"},
    {"iphone1,2", "iPhone 3G"},
    {"iphone2,1", "iPhone 3GS"},
    {"iphone3,1", "iPhone 4"},
    {"iphone3,2", "iPhone 4"},
    {"iphone3,3", "iPhone 4"},
    {"iphone4,1", "iPhone 4S"},
    {"iphone5,1", "iPhone 5"},
    {"iphone5,2", "iPhone 5"},
    {"iphone5,3", "iPhone 5C"},
    {"iphone5,3", "iPhone 5C"},
    {"iphone6,1", "iPhone 5S"},
    {"iphone6,2", "iPhone 5S"},
    {"iphone7,1", "iPhone 6 Plus"},
    {"iphone7,2", "iPhone 6"},
    {"ipod1,1", "iPod touch 1G"},
    {"ipod2,1", "iPod touch 2G"},
    {"ipod3,1", "iPod touch 3G"},
    {"ipod4,1", "iPod touch 4G"},
    {"ipod5,1", "iPod touch 5G"},
    {"appletv3,2", "Apple TV 3,2"},
    {"appletv3,1", "Apple TV 3"},
    {"appletv2,1_5", "Apple TV 2"},
    {"appletv2,1_4", "Apple TV 2G"},
    {"ipod_1,1", "iPod 1G/2G"},
    {"ipod_2", "iPod 3G"},
    {"ipod_10", "iPod 4G"},
    {"ipod_4", "iPod 4G"},
    {"ipod_5", "iPod 4G Photo/Color"},
    {"ipod_11", "iPod 4G Photo/Color"},
    {"ipod_25", "iPod 5.5G"},
    {"ipod_13", "iPod 5G"},
    {"ipod_20", "iPod 5G"},
    {"ipod_24", "iPod Classic"},
    {"ipod_33", "iPod Classic 2G"},
    {"ipod_35", "iPod Classic 3G"},
    {"ipod_3", "iPod Mini 1G"},
    {"ipod_6", "iPod Mini 1G"},
    {"ipod_7", "iPod Mini 2G"},
    {"ipod_14", "iPod Nano 1G"},
    {"ipod_17", "iPod Nano 1G"},
    {"ipod_19", "iPod Nano 2G"},
    {"ipod_29", "iPod Nano 2G"},
    {"ipod_26", "iPod Nano 3G"},
    {"ipod_31", "iPod Nano 4G"},
    {"ipod_1.0", "iPod Nano 5G"},
    {"ipod_1.1", "iPod Nano 6G"},
    {"ipod_128", "iPod Shuffle 1G"},
    {"ipod_129", "iPod Shuffle 1G"},
    {"ipod_130", "iPod Shuffle 2G"},
    {"ipod_131", "iPod Shuffle 2G"},
    {"ipod_133", "iPod Shuffle 2G"},
    {"ipod_132", "iPod Shuffle 3G"},
    {"ipod_134", "iPod Shuffle 4G"},
};

const QHash<QString, QString>& ModelTable() {
    static const QHash<QString, QString> table = [] {
        QHash<QString, QString> built;
        for (const ModelPair& pair : kModels)
            built.insert(QString::fromLatin1(pair.key), QString::fromLatin1(pair.name));
        return built;
    }();
    return table;
}

} // namespace

QString ModelName(const QString& productType) {
    QString key = productType;
    key.remove(QLatin1Char(' '));
    return ModelTable().value(key.toLower());
}
