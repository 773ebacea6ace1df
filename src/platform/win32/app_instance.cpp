#include "platform/win32/app_instance.h"

#include <sddl.h>

#include <string>
#include <vector>

namespace kw::win32 {
namespace {

// The GUID keeps other programs from meeting the name by accident.
constexpr wchar_t kMutexPrefix[] = L"Local\\Kopplungswacht-a96717af-74ee-4e51-93ba-7d0194a74c2e-";

// The SID of the user this process runs as; another user's copy in the same session does not count.
std::wstring UserSid() {
    Kernel token;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, token.receive())) {
        return L"";
    }
    std::wstring sid;
    DWORD size = 0;
    GetTokenInformation(token.get(), TokenUser, nullptr, 0, &size);
    std::vector<BYTE> buffer(size);
    auto* user = reinterpret_cast<TOKEN_USER*>(buffer.data());
    wchar_t* text = nullptr;
    if (size > 0 && GetTokenInformation(token.get(), TokenUser, user, size, &size) &&
        ConvertSidToStringSidW(user->User.Sid, &text)) {
        sid = text;
        LocalFree(text);
    }
    return sid;
}

}  // namespace

bool Win32AppInstance::anotherCopyRuns() {
    const std::wstring name = kMutexPrefix + UserSid();
    SetLastError(ERROR_SUCCESS);
    HANDLE mutex = CreateMutexW(nullptr, FALSE, name.c_str());
    const DWORD error = GetLastError();
    mutex_.reset(mutex);
    // Access denied means the name is taken by an object this user may not open: another copy holds it.
    return error == ERROR_ALREADY_EXISTS || (!mutex_.valid() && error == ERROR_ACCESS_DENIED);
}

void Win32AppInstance::endProcess() {
    ExitProcess(0);
}

}  // namespace kw::win32
