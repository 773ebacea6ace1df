#include "platform/win32/registry_store.h"

#include <windows.h>

#include <vector>

#include "platform/win32/handles.h"
#include "platform/win32/strings.h"

namespace kw::win32 {
namespace {

using RegistryKey = Owned<HKEY, RegCloseKey>;

std::wstring KeyPath(const std::string& app, const std::string& section) {
    return L"Software\\" + Widen(app) + L"\\" + Widen(section);
}

StoreResult Failure(LSTATUS status) {
    StoreResult result;
    result.error = static_cast<std::uint32_t>(status);
    result.errorText = ErrorText(result.error);
    return result;
}

}  // namespace

std::string RegistryStore::read(const std::string& app, const std::string& section, const std::string& key,
                                const std::string& fallback) {
    RegistryKey handle;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, KeyPath(app, section).c_str(), 0, KEY_QUERY_VALUE, handle.receive()) !=
        ERROR_SUCCESS) {
        return fallback;
    }
    const std::wstring name = Widen(key);
    std::vector<wchar_t> buffer(64);
    for (;;) {
        DWORD type = 0;
        const std::size_t room = buffer.size() * sizeof(wchar_t);
        DWORD bytes = static_cast<DWORD>(room);
        const LSTATUS status = RegQueryValueExW(handle.get(), name.c_str(), nullptr, &type,
                                                reinterpret_cast<BYTE*>(buffer.data()), &bytes);
        if (status == ERROR_MORE_DATA) {
            // Room for a terminating NUL that the stored value may lack.
            buffer.resize(bytes / sizeof(wchar_t) + 2);
            continue;
        }
        if (status != ERROR_SUCCESS || type != REG_SZ) {
            return fallback;
        }
        // The stored bytes need not end in a NUL (nor hold an even count): the text ends at the first NUL
        // or at the end of the data, whichever comes first.
        std::wstring_view text(buffer.data(), bytes / sizeof(wchar_t));
        if (const auto end = text.find(L'\0'); end != std::wstring_view::npos) {
            text = text.substr(0, end);
        }
        return Narrow(text);
    }
}

StoreResult RegistryStore::write(const std::string& app, const std::string& section, const std::string& key,
                                 const std::string& value) {
    RegistryKey handle;
    LSTATUS status = RegCreateKeyExW(HKEY_CURRENT_USER, KeyPath(app, section).c_str(), 0, nullptr,
                                     REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr, handle.receive(), nullptr);
    if (status != ERROR_SUCCESS) {
        return Failure(status);
    }
    const std::wstring text = Widen(value);
    const std::size_t withNul = (text.size() + 1) * sizeof(wchar_t);  // a REG_SZ's size counts its NUL
    const auto bytes = static_cast<DWORD>(withNul);
    status =
        RegSetValueExW(handle.get(), Widen(key).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()), bytes);
    return status == ERROR_SUCCESS ? StoreResult{} : Failure(status);
}

}  // namespace kw::win32
