#pragma once

#include <QCoreApplication>
#include <QString>

class TreeNode;
struct TreeViewBinding;

// The nodes a device brings into the navigation tree and their texts: the device node with one child
// per category, "Video" and "Music" under "Media", and the contact groups under "Contacts".
class CDeviceTreeNodes {
    Q_DECLARE_TR_FUNCTIONS(CDeviceTreeNodes)
public:
    // The translated name of a category or media node kind; empty for other kinds.
    static QString CategoryName(int kind);
    // A category name followed by its count, "Contacts (12)".
    static QString CountedName(int kind, int count);
    // The node's text in the current language, keeping the count it shows.
    static QString Retranslated(const TreeNode* node);

    // Whether pressing the node starts its category's loader: only its first press does, and "Video"
    // and "Media" share one video page, loaded by whichever of them is pressed first.
    static bool LoadsOnThisPress(const TreeNode* node);

    // A new device node (no parent) with its category children, all carrying the device's handle.
    static TreeNode* CreateDevice(const QString& name, int deviceHandle);
    // The node of a backup opened as a device: only the categories a backup holds.
    static TreeNode* CreateBackup(const QString& name, int deviceHandle);
    // A contact group node under `contacts`, bound to the contacts view like its category.
    static TreeNode* CreateGroup(const QString& name, const TreeNode* contacts);
};
