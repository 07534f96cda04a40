#pragma once

#include <QList>
#include <QString>

class QObject;
class QWidget;

// What a node stands for. Category children use their tagDeviceSubItem index (0 to 8) as kind.
enum TreeNodeKind : int {
    NODE_ROOT = -1,
    NODE_VIDEO = 10,
    NODE_MUSIC = 11,
    NODE_DEVICE = 100,
    NODE_PLAYLIST = 101,
    NODE_ALBUM = 102,
    NODE_GROUP = 103,
    NODE_BACKUPS = 104,      // the group of the backups the program knows
    NODE_KNOWN_BACKUP = 105, // one of them; pressing it opens the backup as a device
};

// Display states of a node; higher values are drawn as normal.
enum TreeNodeState : int {
    NODE_STATE_NORMAL = 0,
    NODE_STATE_HIGHLIGHTED = 1,
    NODE_STATE_SELECTED = 2,
};

// The widget a node shows when pressed and, for some categories, the loader that fills it.
struct TreeViewBinding {
    QWidget* view = nullptr;
    QObject* loader = nullptr;
};

// One node of the navigation tree. A node owns its children; one built with a parent joins its children.
class TreeNode {
public:
    TreeNode(int kind, const QString& text, TreeNode* parent = nullptr);
    ~TreeNode();

    TreeNode(const TreeNode&) = delete;
    TreeNode& operator=(const TreeNode&) = delete;

    TreeNode* Parent() const { return m_parent; }
    const QList<TreeNode*>& Children() const { return m_children; }
    TreeNode* Child(int row) const { return m_children.value(row, nullptr); }
    int ChildCount() const { return int(m_children.size()); }
    int Row() const;
    // Takes a node built without a parent, with everything below it.
    void AppendChild(TreeNode* child);
    // Deletes the child and everything below it.
    void RemoveChild(TreeNode* child);
    // The category child of a device node, or null.
    TreeNode* FindChildOfKind(int kind) const;

    int Kind() const { return m_kind; }
    QString Text() const { return m_text; }
    void SetText(const QString& text) { m_text = text; }
    int State() const { return m_state; }
    void SetState(int state) { m_state = state; }
    bool IsExpanded() const { return m_expanded; }
    void SetExpanded(bool expanded) { m_expanded = expanded; }
    QString Icon() const { return m_icon; }
    QString SelectedIcon() const { return m_selectedIcon; }
    void SetIcons(const QString& icon, const QString& selectedIcon);
    TreeViewBinding Binding() const { return m_binding; }
    void SetBinding(const TreeViewBinding& binding) { m_binding = binding; }
    int DeviceHandle() const { return m_deviceHandle; }
    void SetDeviceHandle(int handle) { m_deviceHandle = handle; }
    int PressCount() const { return m_pressCount; }
    void IncrementPressCount() { ++m_pressCount; }
    void ResetPressCount() { m_pressCount = 0; }

private:
    QList<TreeNode*> m_children;
    TreeNode* m_parent;
    int m_kind;
    QString m_text;
    int m_state = NODE_STATE_NORMAL;
    bool m_expanded = false;
    QString m_icon;
    QString m_selectedIcon;
    TreeViewBinding m_binding;
    int m_deviceHandle = -1;
    int m_pressCount = 0;
};
