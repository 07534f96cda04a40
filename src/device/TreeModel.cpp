#include "TreeModel.h"

#include "ContactGroupNames.h"
#include "LanguageService.h"
#include "PhotoAlbumNames.h"

TreeModel::TreeModel(QObject* parent)
    : QAbstractItemModel(parent)
    , m_root(new TreeNode(NODE_ROOT, QString())) {}

TreeModel::~TreeModel() {
    delete m_root;
}

TreeNode* TreeModel::NodeOf(const QModelIndex& index) const {
    return index.isValid() ? static_cast<TreeNode*>(index.internalPointer()) : nullptr;
}

QModelIndex TreeModel::IndexOf(const TreeNode* node) const {
    if (!node || node == m_root)
        return {};
    return createIndex(node->Row(), 0, const_cast<TreeNode*>(node));
}

void TreeModel::AppendNode(TreeNode* parent, TreeNode* node) {
    const int row = parent->ChildCount();
    beginInsertRows(IndexOf(parent), row, row);
    parent->AppendChild(node);
    endInsertRows();
}

void TreeModel::RemoveNode(TreeNode* node) {
    TreeNode* parent = node ? node->Parent() : nullptr;
    if (!parent)
        return;
    const int row = node->Row();
    beginRemoveRows(IndexOf(parent), row, row);
    parent->RemoveChild(node);
    endRemoveRows();
}

void TreeModel::RemoveChildren(TreeNode* parent) {
    if (parent->ChildCount() == 0)
        return;
    beginRemoveRows(IndexOf(parent), 0, parent->ChildCount() - 1);
    while (parent->ChildCount() > 0)
        parent->RemoveChild(parent->Child(0));
    endRemoveRows();
}

void TreeModel::NodeChanged(const TreeNode* node) {
    const QModelIndex index = IndexOf(node);
    if (index.isValid())
        emit dataChanged(index, index);
}

QModelIndex TreeModel::index(int row, int column, const QModelIndex& parent) const {
    if (column != 0 || row < 0)
        return {};
    const TreeNode* parentNode = parent.isValid() ? NodeOf(parent) : m_root;
    TreeNode* child = parentNode->Child(row);
    return child ? createIndex(row, 0, child) : QModelIndex();
}

QModelIndex TreeModel::parent(const QModelIndex& child) const {
    const TreeNode* node = NodeOf(child);
    return node ? IndexOf(node->Parent()) : QModelIndex();
}

int TreeModel::rowCount(const QModelIndex& parent) const {
    if (parent.column() > 0)
        return 0;
    const TreeNode* node = parent.isValid() ? NodeOf(parent) : m_root;
    return node->ChildCount();
}

int TreeModel::columnCount(const QModelIndex&) const {
    return 1;
}

QVariant TreeModel::data(const QModelIndex& index, int role) const {
    const TreeNode* node = NodeOf(index);
    if (!node)
        return {};
    switch (role) {
    case Qt::DisplayRole:
        // The node keeps the device's name of a group or album, which renaming and deleting go by.
        if (node->Kind() == NODE_GROUP)
            return DisplayGroupName(node->Text());
        return node->Kind() == NODE_ALBUM ? DisplayAlbumName(node->Text()) : node->Text();
    case Qt::EditRole:
        return node->Text();
    case Qt::DecorationRole: {
        const bool selected = node->State() == NODE_STATE_SELECTED && !node->SelectedIcon().isEmpty();
        const QPixmap icon = IconPixmap(selected ? node->SelectedIcon() : node->Icon());
        return icon.isNull() ? QVariant() : QVariant(icon);
    }
    case StateRole:
        return node->State();
    default:
        return {};
    }
}

bool TreeModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    TreeNode* node = NodeOf(index);
    const QString text = value.toString().trimmed();
    if (!node || role != Qt::EditRole || text.isEmpty() || text == node->Text())
        return false;
    const QString oldText = node->Text();
    node->SetText(text);
    emit dataChanged(index, index);
    emit nodeRenamed(node, oldText);
    return true;
}

Qt::ItemFlags TreeModel::flags(const QModelIndex& index) const {
    const TreeNode* node = NodeOf(index);
    if (!node)
        return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    // Playlists, user albums and groups are renamed in place from the context menu.
    if (node->Kind() == NODE_PLAYLIST || node->Kind() == NODE_ALBUM || node->Kind() == NODE_GROUP)
        flags |= Qt::ItemIsEditable;
    return flags;
}

QPixmap TreeModel::IconPixmap(const QString& relativePath) const {
    if (relativePath.isEmpty())
        return {};
    auto cached = m_icons.constFind(relativePath);
    if (cached != m_icons.constEnd())
        return *cached;
    QPixmap pixmap(ResourceRoot() + relativePath);
    // Button images are strips of square state frames; the tree shows the first one.
    if (!pixmap.isNull() && pixmap.width() >= 2 * pixmap.height())
        pixmap = pixmap.copy(0, 0, pixmap.height(), pixmap.height());
    m_icons.insert(relativePath, pixmap);
    return pixmap;
}
