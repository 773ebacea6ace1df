#pragma once

#include <string>

namespace kw {

// What a path names. An image is a file that starts with an executable header ("MZ"), whatever its name.
enum class PathKind { missing, file, image, folder };

// The file system, as far as choosing the program of a list entry needs it.
class FileLookUp {
public:
    virtual ~FileLookUp() = default;
    // A path that cannot be read counts as missing: the system could not start it either.
    virtual PathKind lookUp(const std::string& path) = 0;
};

}  // namespace kw
