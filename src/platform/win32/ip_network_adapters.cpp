#include <windows.h>

// <netioapi.h> needs the socket headers ahead of it.
#include <winsock2.h>
#include <ws2ipdef.h>

#include <iphlpapi.h>
#include <netioapi.h>
#include <objbase.h>

#include <iterator>

#include "platform/win32/handles.h"
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

// As the registry writes a NetCfgInstanceId: braces, upper-case hex digits. COM's own formatter, which the
// program has already; printf's would bring in some 20 KB.
std::string GuidText(const GUID& guid) {
    wchar_t text[39] = {};
    return StringFromGUID2(guid, text, 39) == 39 ? Narrow(text) : std::string();
}

using RegistryKey = Owned<HKEY, RegCloseKey>;

// The network adapters' setup class (GUID_DEVCLASS_NET). HKLM\SYSTEM is one for 32-bit and 64-bit programs
// alike: not redirected under WOW64.
constexpr const wchar_t* kNetClassKey =
    L"SYSTEM\\CurrentControlSet\\Control\\Class\\{4d36e972-e325-11ce-bfc1-08002be10318}";

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
                            static_cast<std::uint32_t>(row.OperStatus), GuidText(row.InterfaceGuid),
                            row.InterfaceAndOperStatusFlags.FilterInterface != FALSE});
    }
    reinterpret_cast<FreeMibTableFn>(reinterpret_cast<void*>(freeMibTable_))(table);
    return true;
}

// Each adapter has a numbered key under the class key; other subkeys ("Properties", which only the system
// may open) and keys that cannot be read are left out.
bool IpNetworkAdapters::adapterMarks(std::vector<AdapterMarks>& marks) {
    RegistryKey netClass;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kNetClassKey, 0, KEY_READ, netClass.receive()) != ERROR_SUCCESS) {
        return false;
    }
    marks.clear();
    wchar_t name[256];  // a key's name has at most 255 characters
    for (DWORD i = 0;; ++i) {
        DWORD length = static_cast<DWORD>(std::size(name));
        const LSTATUS status = RegEnumKeyExW(netClass.get(), i, name, &length, nullptr, nullptr, nullptr, nullptr);
        if (status == ERROR_NO_MORE_ITEMS) {
            return true;
        }
        RegistryKey adapter;
        if (status != ERROR_SUCCESS ||
            RegOpenKeyExW(netClass.get(), name, 0, KEY_READ, adapter.receive()) != ERROR_SUCCESS) {
            continue;
        }
        DWORD characteristics = 0;
        DWORD size = sizeof characteristics;
        wchar_t id[40];  // a GUID in braces and its NUL
        DWORD idSize = sizeof id;
        if (RegGetValueW(adapter.get(), nullptr, L"Characteristics", RRF_RT_REG_DWORD, nullptr, &characteristics,
                         &size) == ERROR_SUCCESS &&
            RegGetValueW(adapter.get(), nullptr, L"NetCfgInstanceId", RRF_RT_REG_SZ, nullptr, id, &idSize) ==
                ERROR_SUCCESS) {
            marks.push_back({Narrow(id), characteristics});
        }
    }
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
