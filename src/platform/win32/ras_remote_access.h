#pragma once

#include <windows.h>

#include "platform/remote_access.h"

namespace kw::win32 {

// RasEnumConnectionsA from rasapi32.dll, loaded at the first count. Linking it at load time would keep
// the whole program from starting on a system without the remote-access service.
class RasRemoteAccess final : public RemoteAccess {
public:
    RasRemoteAccess() = default;
    RasRemoteAccess(const RasRemoteAccess&) = delete;
    RasRemoteAccess& operator=(const RasRemoteAccess&) = delete;
    ~RasRemoteAccess() override;

    std::uint32_t enumConnections(RasConnA* first, std::uint32_t* bytes, std::uint32_t* connections) override;

private:
    using EnumConnectionsFn = DWORD(WINAPI*)(RasConnA*, LPDWORD, LPDWORD);

    void load();

    bool tried_ = false;
    HMODULE module_ = nullptr;
    EnumConnectionsFn enum_ = nullptr;
    DWORD loadError_ = ERROR_SUCCESS;
};

}  // namespace kw::win32
