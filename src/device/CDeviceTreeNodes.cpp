#include "CDeviceTreeNodes.h"

#include "DeviceSubItem.h"
#include "TreeNode.h"

namespace {

struct CategoryImages {
    const char* icon;
    const char* selectedIcon;
};

const CategoryImages kCategoryImages[SUB_ITEM_COUNT] = {
    {"/image/div/Media_icon.png", "/image/div/Media_icon1_btn.png"},
    {"/image/div/Playlist_icon.png", "/image/div/Playlist_icon1_btn.png"},
    {"/image/div/Photos_icon.png", "/image/div/Photos_icon1_btn.png"},
    {"/image/div/iBook_icon.png", "/image/div/iBook_icon1_btn.png"},
    {"/image/div/Contacts_icon.png", "/image/div/Contacts_icon1_btn.png"},
    {"/image/div/Message_icon.png", "/image/div/Message_icon1_btn.png"},
    {"/image/div/Calls_icon.png", "/image/div/Calls_icon1_btn.png"},
    {"/image/div/App_icon.png", "/image/div/Apps_icon1_btn.png"},
    {"/image/div/System_icon.png", "/image/div/System_icon.png"},
};

const char* const kVideoIcon = "/image/div/images/M_ICON_V.png";
const char* const kMusicIcon = "/image/div/images/M_ICON_MUSIC.png";

TreeNode* AddChild(TreeNode* parent, int kind, const char* icon, const char* selectedIcon) {
    auto* node = new TreeNode(kind, CDeviceTreeNodes::CategoryName(kind), parent);
    node->SetIcons(QString::fromLatin1(icon), selectedIcon ? QString::fromLatin1(selectedIcon) : QString());
    node->SetDeviceHandle(parent->DeviceHandle());
    return node;
}

} // namespace

QString CDeviceTreeNodes::CategoryName(int kind) {
    switch (kind) {
    case SUB_ITEM_MEDIA:
        return tr("Media");
    case SUB_ITEM_PLAYLIST:
        return tr("Playlist");
    case SUB_ITEM_PHOTOS:
        return tr("Photos");
    case SUB_ITEM_IBOOKS:
        return tr("iBooks");
    case SUB_ITEM_CONTACTS:
        return tr("Contacts");
    case SUB_ITEM_MESSAGES:
        return tr("Messages");
    case SUB_ITEM_CALLS:
        return tr("Call history");
    case SUB_ITEM_APPS:
        return tr("Apps");
    case SUB_ITEM_SYSTEM:
        return tr("System");
    case NODE_VIDEO:
        return tr("Video");
    case NODE_MUSIC:
        return tr("Music");
    default:
        return QString();
    }
}

QString CDeviceTreeNodes::CountedName(int kind, int count) {
    return QStringLiteral("%1 (%2)").arg(CategoryName(kind)).arg(count);
}

QString CDeviceTreeNodes::Retranslated(const TreeNode* node) {
    const QString text = node->Text();
    const qsizetype at = text.indexOf(QStringLiteral(" ("));
    return CategoryName(node->Kind()) + (at < 0 ? QString() : text.mid(at));
}

bool CDeviceTreeNodes::LoadsOnThisPress(const TreeNode* node) {
    switch (node->Kind()) {
    case SUB_ITEM_MEDIA: {
        const TreeNode* video = node->FindChildOfKind(NODE_VIDEO);
        return node->PressCount() == 0 && (!video || video->PressCount() == 0);
    }
    case NODE_VIDEO:
        return node->PressCount() == 0 && node->Parent()->PressCount() == 0;
    case NODE_MUSIC:
    case SUB_ITEM_APPS:
    case SUB_ITEM_PHOTOS:
    case SUB_ITEM_CONTACTS:
    case SUB_ITEM_MESSAGES:
    case SUB_ITEM_CALLS:
    case SUB_ITEM_SYSTEM:
    case SUB_ITEM_IBOOKS:
        return node->PressCount() == 0;
    default:
        return false;
    }
}

TreeNode* CDeviceTreeNodes::CreateDevice(const QString& name, int deviceHandle) {
    auto* device = new TreeNode(NODE_DEVICE, name);
    device->SetDeviceHandle(deviceHandle);
    for (int kind = 0; kind < SUB_ITEM_COUNT; ++kind)
        AddChild(device, kind, kCategoryImages[kind].icon, kCategoryImages[kind].selectedIcon);
    TreeNode* media = device->FindChildOfKind(SUB_ITEM_MEDIA);
    AddChild(media, NODE_VIDEO, kVideoIcon, nullptr);
    AddChild(media, NODE_MUSIC, kMusicIcon, nullptr);
    return device;
}

TreeNode* CDeviceTreeNodes::CreateBackup(const QString& name, int deviceHandle) {
    auto* device = new TreeNode(NODE_DEVICE, name);
    device->SetDeviceHandle(deviceHandle);
    for (int kind : {SUB_ITEM_PHOTOS, SUB_ITEM_CONTACTS, SUB_ITEM_MESSAGES, SUB_ITEM_CALLS})
        AddChild(device, kind, kCategoryImages[kind].icon, kCategoryImages[kind].selectedIcon);
    return device;
}

TreeNode* CDeviceTreeNodes::CreateGroup(const QString& name, const TreeNode* contacts) {
    auto* group = new TreeNode(NODE_GROUP, name);
    group->SetIcons(QString::fromLatin1(kCategoryImages[SUB_ITEM_CONTACTS].icon), QString());
    group->SetDeviceHandle(contacts->DeviceHandle());
    group->SetBinding(contacts->Binding());
    return group;
}
