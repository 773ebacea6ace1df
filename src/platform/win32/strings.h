// UTF-8 inside the program, UTF-16 at the W functions of the system.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace kw::win32 {

std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);

// The system's description of an error, in the user's language, without the line break it ends with;
// empty when the system has none.
std::string ErrorText(DWORD error);

// The whole text of a window or control, however long.
std::wstring WindowText(HWND window);

}  // namespace kw::win32
