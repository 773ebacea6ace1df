#pragma once

#include <windows.h>

#include "platform/remote_access.h"
#include "platform/win32/handles.h"
#include "platform/win32/message_pump.h"

namespace kw::win32 {

// RasEnumConnectionsA and RasConnectionNotificationA from rasapi32.dll, loaded when first needed. Linking
// it at load time would keep the whole program from starting on a system without the remote-access
// service. Once loaded, the DLL stays for the life of the process: a notification cannot be taken back,
// and the service may signal into the DLL until the process ends.
class RasRemoteAccess final : public RemoteAccess {
public:
    // The loop on whose thread the service's announcements are handled.
    explicit RasRemoteAccess(MessagePump& pump) : pump_(pump) {}
    RasRemoteAccess(const RasRemoteAccess&) = delete;
    RasRemoteAccess& operator=(const RasRemoteAccess&) = delete;
    ~RasRemoteAccess() override;

    std::uint32_t enumConnections(RasConnA* first, std::uint32_t* bytes, std::uint32_t* connections) override;
    bool notifyConnections() override;

private:
    using EnumConnectionsFn = DWORD(WINAPI*)(RasConnA*, LPDWORD, LPDWORD);
    using ConnectionNotificationFn = DWORD(WINAPI*)(HANDLE, HANDLE, DWORD);

    // Loads the DLL once; later calls do nothing.
    void load();
    // Runs on the system's wait thread whenever the service sets the event.
    static void CALLBACK Announced(void* self, BOOLEAN timedOut);

    MessagePump& pump_;
    Kernel changed_;  // set by the service when a connection comes up or ends
    // The system's wait for `changed_`; it ends before the event is closed.
    HANDLE wait_ = nullptr;
    bool tried_ = false;
    HMODULE module_ = nullptr;
    EnumConnectionsFn enum_ = nullptr;
    DWORD loadError_ = ERROR_SUCCESS;
};

}  // namespace kw::win32
