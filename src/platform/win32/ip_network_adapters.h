#pragma once

#include <windows.h>

#include "platform/network_adapters.h"
#include "platform/win32/message_pump.h"

namespace kw::win32 {

// GetIfTable2 and NotifyIpInterfaceChange from iphlpapi.dll, loaded from the system directory when first
// needed, so that a program without a chosen adapter never loads it. Once loaded it stays: the system may
// call back into it until the registration is cancelled. The marks come from the registry's adapter keys.
class IpNetworkAdapters final : public NetworkAdapters {
public:
    // The loop on whose thread the announcements are handled.
    explicit IpNetworkAdapters(MessagePump& pump) : pump_(pump) {}
    IpNetworkAdapters(const IpNetworkAdapters&) = delete;
    IpNetworkAdapters& operator=(const IpNetworkAdapters&) = delete;
    ~IpNetworkAdapters() override;

    bool list(std::vector<NetworkAdapter>& adapters) override;
    bool adapterMarks(std::vector<AdapterMarks>& marks) override;
    bool sameName(const std::string& a, const std::string& b) override;
    bool notifyChanges() override;

private:
    // Loads the DLL once; false when it or a function is missing.
    bool load();

    MessagePump& pump_;
    bool tried_ = false;
    HMODULE module_ = nullptr;
    FARPROC getIfTable2_ = nullptr;
    FARPROC freeMibTable_ = nullptr;
    HANDLE notification_ = nullptr;  // cancelled before the pump goes
};

}  // namespace kw::win32
