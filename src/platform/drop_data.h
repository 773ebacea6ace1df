#pragma once

#include <string>
#include <vector>

namespace kw {

// What was dropped on the program list.
struct DropData {
    bool hasFileList = false;        // the data offers the shell's file list (CF_HDROP)
    std::vector<std::string> files;  // its full paths, in the order the data gives them
};

}  // namespace kw
