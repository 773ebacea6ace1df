#include <windows.h>

// <netioapi.h> needs the socket headers ahead of it.
#include <winsock2.h>
#include <ws2ipdef.h>

#include <iphlpapi.h>
#include <netioapi.h>

#include "platform/win32/ip_network_adapters.h"
#include "platform/win32/strings.h"
#include "platform/win32/system_library.h"

namespace kw::win32 {
namespace {

using GetIfTable2Fn = NETIO_STATUS(WINAPI*)(PMIB_IF_TABLE2*);
using FreeMibTableFn = VOID(WINAPI*)(PVOID);
using NotifyIpInterfaceChangeFn = NETIO_STATUS(WINAPI*)(ADDRESS_FAMILY, PIPINTERFACE_CHANGE_CALLBACK, PVOID, BOOLEAN,
                                                        HANDLE*);
using CancelMibChangeNotify2Fn = NETIO_STATUS(WINAPI*)(HANDLE);

template <typename Fn>
Fn Function(HMODULE module, const char* name) {
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

// A string field of the table, cut at its NUL or at the end of the field.
template <std::size_t N>
std::string Text(const WCHAR (&field)[N]) {
    return Narrow(std::wstring_view(field, wcsnlen(field, N)));
}

// Runs on a thread of the system's; the tick runs on the window's thread.
VOID WINAPI Announced(PVOID pump, PMIB_IPINTERFACE_ROW, MIB_NOTIFICATION_TYPE) {
    static_cast<MessagePump*>(pump)->wake();
}

}  // namespace

IpNetworkAdapters::~IpNetworkAdapters() {
    if (notification_ != nullptr) {
        if (const auto cancel = Function<CancelMibChangeNotify2Fn>(module_, "CancelMibChangeNotify2")) {
            cancel(notification_);  // returns once no announcement runs any more
        }
    }
}

bool IpNetworkAdapters::load() {
    if (!tried_) {
        tried_ = true;
        module_ = LoadFromSystemDirectory(L"iphlpapi.dll");
        if (module_ != nullptr) {
            getIfTable2_ = GetProcAddress(module_, "GetIfTable2");
            freeMibTable_ = GetProcAddress(module_, "FreeMibTable");
        }
    }
    return getIfTable2_ != nullptr && freeMibTable_ != nullptr;
}

// GetIfTable2 is the cheapest call that gives alias, type and status: a fraction of GetAdaptersAddresses.
bool IpNetworkAdapters::list(std::vector<NetworkAdapter>& adapters) {
    if (!load()) {
        return false;
    }
    PMIB_IF_TABLE2 table = nullptr;
    if (reinterpret_cast<GetIfTable2Fn>(reinterpret_cast<void*>(getIfTable2_))(&table) != NO_ERROR) {
        return false;
    }
    adapters.clear();
    for (ULONG i = 0; i < table->NumEntries; ++i) {
        const MIB_IF_ROW2& row = table->Table[i];
        adapters.push_back({Text(row.Alias), Text(row.Description), static_cast<std::uint32_t>(row.Type),
                            static_cast<std::uint32_t>(row.OperStatus)});
    }
    reinterpret_cast<FreeMibTableFn>(reinterpret_cast<void*>(freeMibTable_))(table);
    return true;
}

// Interface names are compared ordinally, without regard to case, as the system's own look-up of an alias does.
bool IpNetworkAdapters::sameName(const std::string& a, const std::string& b) {
    const std::wstring wideA = Widen(a);
    const std::wstring wideB = Widen(b);
    return CompareStringOrdinal(wideA.c_str(), static_cast<int>(wideA.size()), wideB.c_str(),
                                static_cast<int>(wideB.size()), TRUE) == CSTR_EQUAL;
}

// AF_UNSPEC: IPv4 and IPv6 interfaces alike. Under Wine the call succeeds but never calls back; the timer
// notices the change there.
bool IpNetworkAdapters::notifyChanges() {
    if (!load() || notification_ != nullptr) {
        return false;
    }
    const auto notify = Function<NotifyIpInterfaceChangeFn>(module_, "NotifyIpInterfaceChange");
    if (notify == nullptr) {
        return false;
    }
    HANDLE handle = nullptr;
    if (notify(AF_UNSPEC, Announced, &pump_, FALSE, &handle) != NO_ERROR) {
        return false;
    }
    notification_ = handle;
    return true;
}

}  // namespace kw::win32
