// The interface tables of five real Windows 10 and 11 machines, as GetIfTable2 lists them, in its order, and
// which rows Windows' folder of network connections shows. Gathered from public sources: SNMP dumps, and
// Get-NetAdapter with and without -IncludeHidden. Where a source gave no alias, the description stands in
// for it; where it gave no status, the status is unknown; GlobalProtect's "Disabled" adapter reads Down.
// S: the folder shows the row; H: its adapter key marks it hidden; F: a filter module's row, with no key.
#pragma once

#include <cstdint>
#include <vector>

namespace kw::test::listed {

struct ListedRow {
    const char* name;
    std::uint32_t type;
    std::uint32_t operStatus;
    char kind;
};

struct ListedMachine {
    const char* label;
    std::vector<ListedRow> rows;
};

inline constexpr std::uint32_t Up = 1, Dn = 2, Uk = 4, NP = 6;
inline constexpr char S = 'S', H = 'H', F = 'F';

// Several rows to a line.
// clang-format off
inline const std::vector<ListedMachine> kMachines = {
    {"Windows 10 22H2, Slovak",
     {{"Loopback Pseudo-Interface 1", 24, Up, H}, {"Lokálne pripojenie* 7", 6, Up, H}, {"Ethernet 4", 6, Up, S},
      {"Lokálne pripojenie* 5", 23, Dn, H}, {"Lokálne pripojenie* 3", 131, Dn, H},
      {"Lokálne pripojenie* 4", 131, Dn, H}, {"Lokálne pripojenie* 6", 6, Up, H}, {"Ethernet 5", 6, Dn, S},
      {"Lokálne pripojenie* 2", 131, Dn, H}, {"Lokálne pripojenie* 8", 6, Up, H}, {"Lokálne pripojenie* 1", 131, Dn, H},
      {"Ethernet 4-WFP Native MAC Layer LightWeight Filter-0000", 6, Up, F},
      {"Ethernet 4-Npcap Packet Driver (NPCAP)-0000", 6, Up, F},
      {"Ethernet 4-WFP 802.3 MAC Layer LightWeight Filter-0000", 6, Up, F},
      {"Lokálne pripojenie* 6-WFP Native MAC Layer LightWeight Filter-00", 6, Up, F},
      {"Lokálne pripojenie* 6-Npcap Packet Driver (NPCAP)-0000", 6, Up, F},
      {"Lokálne pripojenie* 7-WFP Native MAC Layer LightWeight Filter-00", 6, Up, F},
      {"Lokálne pripojenie* 7-Npcap Packet Driver (NPCAP)-0000", 6, Up, F},
      {"Lokálne pripojenie* 8-WFP Native MAC Layer LightWeight Filter-00", 6, Up, F},
      {"Lokálne pripojenie* 8-Npcap Packet Driver (NPCAP)-0000", 6, Up, F}}},
    {"Windows 11, German, GlobalProtect disconnected",
     {{"vEthernet (Default Switch)", 6, Up, H}, {"Ethernet (Docking)", 6, Up, S}, {"LAN-Verbindung* 11", 6, Up, H},
      {"vSwitch (VPN)", 6, Up, H}, {"LAN-Verbindung* 4", 131, Dn, H}, {"Ethernet (Kerneldebugger)", 6, NP, H},
      {"vEthernet (Intern)", 6, Up, S}, {"LAN-Verbindung* 6", 131, Dn, H}, {"LAN-Verbindung* 10", 6, Up, H},
      {"WLAN", 71, Dn, S}, {"Bluetooth-Netzwerkverbindung", 6, Dn, S}, {"LAN-Verbindung* 9", 6, Up, H},
      {"Teredo Tunneling Pseudo-Interface", 131, NP, H}, {"vSwitch (Default Switch)", 6, Up, H},
      {"vEthernet (Extern)", 6, Up, S}, {"Ethernet 7", 6, Dn, S}, {"LAN-Verbindung* 12", 71, Dn, H},
      {"LAN-Verbindung* 7", 131, Dn, H}, {"LAN-Verbindung* 3", 71, Dn, H}, {"LAN-Verbindung* 5", 131, Dn, H},
      {"vSwitch (Extern)", 6, Up, H}, {"LAN-Verbindung* 8", 23, Dn, H},
      {"Microsoft IP-HTTPS Platform Interface", 131, NP, H}, {"6to4 Adapter", 131, NP, H},
      {"Loopback Pseudo-Interface 1", 24, Up, H}}},
    {"German, AnyConnect disconnected, a wintun tunnel up",
     {{"Ethernet 2", 6, NP, S}, {"WLAN", 71, Up, S}, {"vEthernet (Default Switch)", 6, Up, S},
      {"Npcap Loopback Adapter", 6, Up, S}, {"Ethernet", 6, Dn, S}, {"Ethernet 3", 6, Up, S},
      {"Bluetooth-Netzwerkverbindung", 6, Dn, S}, {"LAN-Verbindung 2", 53, Up, S}}},
    {"Windows 11, VirtualBox and Npcap",
     {{"Ethernet", 6, Uk, S}, {"Local Area Connection* 1", 71, Uk, H}, {"Local Area Connection* 2", 71, Uk, H},
      {"Wi-Fi", 71, Uk, S}, {"Loopback Pseudo-Interface 1", 24, Uk, H},
      {"Ethernet-WFP Native MAC Layer LightWeight Filter-0000", 6, Uk, F},
      {"Local Area Connection* 9-Npcap Packet Driver (NPCAP)-0000", 6, Uk, F},
      {"Ethernet-WFP 802.3 MAC Layer LightWeight Filter-0000", 6, Uk, F},
      {"Local Area Connection* 8-WFP Native MAC Layer LightWeight Filter-0000", 6, Uk, F},
      {"Local Area Connection* 8-QoS Packet Scheduler-0000", 6, Uk, F},
      {"Local Area Connection* 9-WFP Native MAC Layer LightWeight Filter-0000", 6, Uk, F},
      {"Local Area Connection* 9-QoS Packet Scheduler-0000", 6, Uk, F},
      {"Local Area Connection* 10-WFP Native MAC Layer LightWeight Filter-0000", 6, Uk, F},
      {"Local Area Connection* 10-QoS Packet Scheduler-0000", 6, Uk, F},
      {"Ethernet-QoS Packet Scheduler-0000", 6, Uk, F},
      {"Local Area Connection* 8-Npcap Packet Driver (NPCAP)-0000", 6, Uk, F},
      {"Local Area Connection* 10-Npcap Packet Driver (NPCAP)-0000", 6, Uk, F},
      {"Ethernet-Npcap Packet Driver (NPCAP)-0000", 6, Uk, F}, {"Bluetooth Network Connection", 6, Uk, S},
      {"Ethernet (Kernel Debugger)", 6, Uk, H}, {"Local Area Connection* 8", 6, Uk, H},
      {"Local Area Connection* 9", 6, Uk, H}, {"Local Area Connection* 10", 6, Uk, H},
      {"Local Area Connection* 7", 23, Uk, H}, {"Wi-Fi-WFP Native MAC Layer LightWeight Filter-0000", 71, Uk, F},
      {"Wi-Fi-Virtual WiFi Filter Driver-0000", 71, Uk, F}, {"Wi-Fi-Native WiFi Filter Driver-0000", 71, Uk, F},
      {"Local Area Connection* 1-Npcap Packet Driver (NPCAP)-0000", 71, Uk, F},
      {"Wi-Fi-VirtualBox NDIS Light-Weight Filter-0000", 71, Uk, F},
      {"Wi-Fi-WFP 802.3 MAC Layer LightWeight Filter-0000", 71, Uk, F},
      {"Local Area Connection* 1-WFP Native MAC Layer LightWeight Filter-0000", 71, Uk, F},
      {"Local Area Connection* 1-Native WiFi Filter Driver-0000", 71, Uk, F},
      {"Local Area Connection* 2-Npcap Packet Driver (NPCAP)-0000", 71, Uk, F},
      {"Local Area Connection* 1-VirtualBox NDIS Light-Weight Filter-0000", 71, Uk, F},
      {"Local Area Connection* 1-WFP 802.3 MAC Layer LightWeight Filter-0000", 71, Uk, F},
      {"Local Area Connection* 2-WFP Native MAC Layer LightWeight Filter-0000", 71, Uk, F},
      {"Local Area Connection* 2-Native WiFi Filter Driver-0000", 71, Uk, F},
      {"Wi-Fi-Npcap Packet Driver (NPCAP)-0000", 71, Uk, F},
      {"Local Area Connection* 2-VirtualBox NDIS Light-Weight Filter-0000", 71, Uk, F},
      {"Local Area Connection* 2-WFP 802.3 MAC Layer LightWeight Filter-0000", 71, Uk, F},
      {"Wi-Fi-QoS Packet Scheduler-0000", 71, Uk, F}, {"Local Area Connection* 2-QoS Packet Scheduler-0000", 71, Uk, F},
      {"Local Area Connection* 1-QoS Packet Scheduler-0000", 71, Uk, F},
      {"Teredo Tunneling Pseudo-Interface", 131, Uk, H}, {"Microsoft IP-HTTPS Platform Interface", 131, Uk, H},
      {"6to4 Adapter", 131, Uk, H}, {"Local Area Connection* 3", 131, Uk, H}, {"Local Area Connection* 4", 131, Uk, H},
      {"Local Area Connection* 5", 131, Uk, H}, {"Local Area Connection* 6", 131, Uk, H}}},
    {"Chinese, two TAP adapters disconnected",
     {{"Software Loopback Interface 1", 24, Uk, H}, {"WAN Miniport (PPPOE)", 23, Uk, H},
      {"Microsoft 6to4 Adapter", 131, Uk, H}, {"WAN Miniport (IP)", 6, Uk, H},
      {"Remote NDIS based Internet Sharing Device", 6, Uk, S}, {"Microsoft IP-HTTPS Platform Adapter", 131, Uk, H},
      {"以太网 3", 6, Dn, S}, {"WAN Miniport (Network Monitor)", 6, Uk, H},
      {"Bluetooth Device (Personal Area Network)", 6, Uk, S}, {"WAN Miniport (SSTP)", 131, Uk, H},
      {"Microsoft Kernel Debug Network Adapter", 6, Uk, H}, {"本地连接* 8", 71, Dn, H}, {"WAN Miniport (PPTP)", 131, Uk, H},
      {"Microsoft Teredo Tunneling Adapter", 131, Uk, H}, {"WAN Miniport (IKEv2)", 131, Uk, H}, {"以太网", 6, Dn, S},
      {"WLAN", 71, Up, S}, {"WAN Miniport (L2TP)", 131, Uk, H}, {"本地连接* 10", 71, Dn, H}, {"以太网 4", 6, Dn, S},
      {"WAN Miniport (IPv6)", 6, Uk, H},
      {"TAP-Windows Adapter V9-WFP Native MAC Layer LightWeight Filter-0000", 6, Uk, F},
      {"TAP-Windows Adapter V9-Npcap Packet Driver (NPCAP)-0000", 6, Uk, F},
      {"Netease UU TAP-Win32 Adapter V9.21-WFP Native MAC Layer LightWeight Filter-0000", 6, Uk, F},
      {"TAP-Windows Adapter V9-QoS Packet Scheduler-0000", 6, Uk, F},
      {"Netease UU TAP-Win32 Adapter V9.21-Npcap Packet Driver (NPCAP)-0000", 6, Uk, F},
      {"TAP-Windows Adapter V9-WFP 802.3 MAC Layer LightWeight Filter-0000", 6, Uk, F},
      {"Netease UU TAP-Win32 Adapter V9.21-QoS Packet Scheduler-0000", 6, Uk, F},
      {"Netease UU TAP-Win32 Adapter V9.21-WFP 802.3 MAC Layer LightWeight Filter-0000", 6, Uk, F},
      {"Realtek PCIe GbE Family Controller-WFP Native MAC Layer LightWeight Filter-0000", 6, Uk, F},
      {"Realtek PCIe GbE Family Controller-Npcap Packet Driver (NPCAP)-0000", 6, Uk, F},
      {"Realtek PCIe GbE Family Controller-QoS Packet Scheduler-0000", 6, Uk, F},
      {"Realtek PCIe GbE Family Controller-WFP 802.3 MAC Layer LightWeight Filter-0000", 6, Uk, F},
      {"Intel(R) Wi-Fi 6 AX201 160MHz-WFP Native MAC Layer LightWeight Filter-0000", 71, Uk, F},
      {"WAN Miniport (IP)-WFP Native MAC Layer LightWeight Filter-0000", 6, Uk, F},
      {"WAN Miniport (IP)-Npcap Packet Driver (NPCAP)-0000", 6, Uk, F},
      {"WAN Miniport (IP)-QoS Packet Scheduler-0000", 6, Uk, F},
      {"WAN Miniport (IPv6)-WFP Native MAC Layer LightWeight Filter-0000", 6, Uk, F},
      {"WAN Miniport (IPv6)-Npcap Packet Driver (NPCAP)-0000", 6, Uk, F},
      {"WAN Miniport (IPv6)-QoS Packet Scheduler-0000", 6, Uk, F},
      {"WAN Miniport (Network Monitor)-WFP Native MAC Layer LightWeight Filter-0000", 6, Uk, F},
      {"WAN Miniport (Network Monitor)-Npcap Packet Driver (NPCAP)-0000", 6, Uk, F},
      {"WAN Miniport (Network Monitor)-QoS Packet Scheduler-0000", 6, Uk, F},
      {"Intel(R) Wi-Fi 6 AX201 160MHz-Virtual WiFi Filter Driver-0000", 71, Uk, F},
      {"Intel(R) Wi-Fi 6 AX201 160MHz-Native WiFi Filter Driver-0000", 71, Uk, F},
      {"Intel(R) Wi-Fi 6 AX201 160MHz-Npcap Packet Driver (NPCAP)-0000", 71, Uk, F},
      {"Intel(R) Wi-Fi 6 AX201 160MHz-QoS Packet Scheduler-0000", 71, Uk, F},
      {"Intel(R) Wi-Fi 6 AX201 160MHz-WFP 802.3 MAC Layer LightWeight Filter-0000", 71, Uk, F},
      {"Microsoft Wi-Fi Direct Virtual Adapter-WFP Native MAC Layer LightWeight Filter-0000", 71, Uk, F},
      {"Microsoft Wi-Fi Direct Virtual Adapter-Native WiFi Filter Driver-0000", 71, Uk, F},
      {"Microsoft Wi-Fi Direct Virtual Adapter-Npcap Packet Driver (NPCAP)-0000", 71, Uk, F},
      {"Microsoft Wi-Fi Direct Virtual Adapter-QoS Packet Scheduler-0000", 71, Uk, F},
      {"Microsoft Wi-Fi Direct Virtual Adapter-WFP 802.3 MAC Layer LightWeight Filter-0000", 71, Uk, F},
      {"Microsoft Wi-Fi Direct Virtual Adapter #2-WFP Native MAC Layer LightWeight Filter-0000", 71, Uk, F},
      {"Microsoft Wi-Fi Direct Virtual Adapter #2-Native WiFi Filter Driver-0000", 71, Uk, F},
      {"Microsoft Wi-Fi Direct Virtual Adapter #2-Npcap Packet Driver (NPCAP)-0000", 71, Uk, F},
      {"Microsoft Wi-Fi Direct Virtual Adapter #2-QoS Packet Scheduler-0000", 71, Uk, F},
      {"Microsoft Wi-Fi Direct Virtual Adapter #2-WFP 802.3 MAC Layer LightWeight Filter-0000", 71, Uk, F}}},
};
// clang-format on

}  // namespace kw::test::listed
