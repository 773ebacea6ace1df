#include "platform/win32/user_locale.h"

#include <windows.h>

#include "platform/win32/strings.h"

namespace kw::win32 {

std::string Win32UserLocale::decimalSeparator() {
    wchar_t separator[8] = {};  // LOCALE_SDECIMAL holds at most three characters and the NUL
    const int length = GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, separator, 8);
    if (length <= 1) {
        return ".";
    }
    return Narrow(std::wstring_view(separator, static_cast<std::size_t>(length - 1)));
}

}  // namespace kw::win32
