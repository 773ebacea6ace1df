#pragma once

#include <string>

namespace kw {

// A modal one-line input box owned by the main window.
class InputBox {
public:
    virtual ~InputBox() = default;
    // The confirmed text, or "" when the user cancelled.
    virtual std::string inputBox(const std::string& prompt, const std::string& title,
                                 const std::string& defaultText) = 0;
};

}  // namespace kw
