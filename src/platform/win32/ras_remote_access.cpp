#include "platform/win32/ras_remote_access.h"

#include "platform/win32/system_library.h"

namespace kw::win32 {
namespace {

// The flags of RasConnectionNotification: a connection was made, a connection ended.
constexpr DWORD kRasCnConnection = 0x00000001;
constexpr DWORD kRasCnDisconnection = 0x00000002;

}  // namespace

// INVALID_HANDLE_VALUE: returns only when no call of Announced runs any more, so the event closed after
// this is waited on by nobody. The DLL is never freed (see the class).
RasRemoteAccess::~RasRemoteAccess() {
    if (wait_ != nullptr) {
        UnregisterWaitEx(wait_, INVALID_HANDLE_VALUE);
    }
}

void CALLBACK RasRemoteAccess::Announced(void* self, BOOLEAN /*timedOut*/) {
    static_cast<RasRemoteAccess*>(self)->pump_.wake();
}

void RasRemoteAccess::load() {
    if (tried_) {
        return;
    }
    tried_ = true;
    module_ = LoadFromSystemDirectory(L"rasapi32.dll");
    if (module_ == nullptr) {
        loadError_ = GetLastError() != ERROR_SUCCESS ? GetLastError() : ERROR_DLL_NOT_FOUND;
        return;
    }
    enum_ =
        reinterpret_cast<EnumConnectionsFn>(reinterpret_cast<void*>(GetProcAddress(module_, "RasEnumConnectionsA")));
    if (enum_ == nullptr) {
        loadError_ = ERROR_PROC_NOT_FOUND;
    }
}

std::uint32_t RasRemoteAccess::enumConnections(RasConnA* first, std::uint32_t* bytes, std::uint32_t* connections) {
    load();
    if (enum_ == nullptr) {
        return loadError_;
    }
    // DWORD is unsigned long, a type distinct from std::uint32_t: go through locals, not a pointer cast.
    DWORD byteCount = *bytes;
    DWORD count = *connections;
    const DWORD result = enum_(first, &byteCount, &count);
    *bytes = byteCount;
    *connections = count;
    return result;
}

// INVALID_HANDLE_VALUE asks for every connection, those made later included. The service keeps setting the
// event for as long as the program runs. The system's wait thread watches the event, so the main loop
// waits for messages alone; WT_EXECUTEINWAITTHREAD, because the callback only posts a message.
bool RasRemoteAccess::notifyConnections() {
    load();
    if (module_ == nullptr) {
        return false;
    }
    const auto notify = reinterpret_cast<ConnectionNotificationFn>(
        reinterpret_cast<void*>(GetProcAddress(module_, "RasConnectionNotificationA")));
    if (notify == nullptr) {
        return false;
    }
    changed_.reset(CreateEventW(nullptr, FALSE, FALSE, nullptr));
    if (changed_.get() == nullptr) {
        return false;
    }
    if (notify(INVALID_HANDLE_VALUE, changed_.get(), kRasCnConnection | kRasCnDisconnection) != ERROR_SUCCESS) {
        changed_.reset(nullptr);
        return false;
    }
    // Without the wait the service's event is set into the void; the timer still watches alone.
    if (!RegisterWaitForSingleObject(&wait_, changed_.get(), Announced, this, INFINITE, WT_EXECUTEINWAITTHREAD)) {
        wait_ = nullptr;
        return false;
    }
    return true;
}

}  // namespace kw::win32
