#pragma once

#include <string>

// Rules for device paths and for the names the user types.
class CDeviceFileName {
public:
    enum class Check {
        Ok,
        Empty,
        Separator, // contains "/" or NUL
        Reserved,  // "." or ".."
    };

    // Splits a path into its folder and its last name. "/" is the root (its own name, no folder); a
    // trailing "/" or "\\" is dropped first, so "a/b/" is b in a.
    static void Split(const std::string& path, std::string* parentPath, std::string* name);
    // `name` inside `folder`, with exactly one "/" between them.
    static std::string Join(const std::string& folder, const std::string& name);
    static Check CheckName(const std::string& name);
    // True for a path with a ".." step: it could name something outside the folder it claims.
    static bool HasParentStep(const std::string& path);
};
