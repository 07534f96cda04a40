#pragma once

#include <QMetaType>

// The category children of a device node, in the order they appear in the tree.
enum tagDeviceSubItem : int {
    SUB_ITEM_MEDIA = 0,
    SUB_ITEM_PLAYLIST,
    SUB_ITEM_PHOTOS,
    SUB_ITEM_IBOOKS,
    SUB_ITEM_CONTACTS,
    SUB_ITEM_MESSAGES,
    SUB_ITEM_CALLS,
    SUB_ITEM_APPS,
    SUB_ITEM_SYSTEM,
    SUB_ITEM_COUNT
};
Q_DECLARE_METATYPE(tagDeviceSubItem)
