#pragma once

#include <QString>

// Gives a package file a plain temporary name in its own folder while the device reads it, so its path
// holds no character the device library might not take, and puts the file's own name back when it goes
// out of scope, whatever happened meanwhile. A file already under the temporary name is never
// replaced: the package is then read under its own name.
class CPackageRename {
public:
    explicit CPackageRename(const QString& path);
    ~CPackageRename();

    CPackageRename(const CPackageRename&) = delete;
    CPackageRename& operator=(const CPackageRename&) = delete;

    // The path the device should read now.
    const QString& CurrentPath() const { return m_renamed ? m_temporary : m_original; }
    bool IsRenamed() const { return m_renamed; }
    // "<folder>/VexaManagerfor.<suffix>" for "<folder>/<name>.<suffix>".
    static QString TemporaryPath(const QString& path);
    // Puts the own name back now; false when the file stays under the temporary name.
    bool RenameBack();

private:
    QString m_original;
    QString m_temporary;
    bool m_renamed = false;
};
