#pragma once

#include <string>

namespace kw {

// What a path names. An image is a file that starts with an executable header ("MZ"), whatever its name.
enum class PathKind { missing, file, image, folder };

// The folders that decide where an entry's program is found and in which folder it starts.
struct SystemFolders {
    std::string system;   // the system folder as the system names it (C:\Windows\system32)
    std::string profile;  // the user's profile folder, where a program found on the search path starts
    // A 32-bit program on 64-bit Windows: its view of the system folder is led to the 32-bit one.
    bool redirected = false;
};

// A shortcut's target and arguments.
struct Shortcut {
    std::string target;
    std::string arguments;
};

// The file system, as far as choosing and starting the program of a list entry needs it.
class FileLookUp {
public:
    virtual ~FileLookUp() = default;
    // A path that cannot be read counts as missing: the system could not start it either. `native`: the
    // system folder is looked at as it is, past a 32-bit program's redirection.
    virtual PathKind lookUp(const std::string& path, bool native) = 0;
    virtual SystemFolders folders() = 0;
    // The target of a shell shortcut (.lnk); false when `path` cannot be read as one.
    virtual bool readShortcut(const std::string& path, Shortcut& shortcut) = 0;
};

}  // namespace kw
