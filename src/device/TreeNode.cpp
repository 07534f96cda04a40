#include "TreeNode.h"

TreeNode::TreeNode(int kind, const QString& text, TreeNode* parent)
    : m_parent(parent)
    , m_kind(kind)
    , m_text(text) {
    if (m_parent)
        m_parent->m_children.append(this);
}

TreeNode::~TreeNode() {
    qDeleteAll(m_children);
}

int TreeNode::Row() const {
    return m_parent ? int(m_parent->m_children.indexOf(const_cast<TreeNode*>(this))) : 0;
}

void TreeNode::AppendChild(TreeNode* child) {
    child->m_parent = this;
    m_children.append(child);
}

void TreeNode::RemoveChild(TreeNode* child) {
    if (m_children.removeOne(child))
        delete child;
}

TreeNode* TreeNode::FindChildOfKind(int kind) const {
    for (TreeNode* child : m_children) {
        if (child->Kind() == kind)
            return child;
    }
    return nullptr;
}

void TreeNode::SetIcons(const QString& icon, const QString& selectedIcon) {
    m_icon = icon;
    m_selectedIcon = selectedIcon;
}
