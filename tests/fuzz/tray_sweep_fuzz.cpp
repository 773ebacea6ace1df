// The sweep of the notification area over a window tree and a system that lie: any tree of the shell's
// classes, client rectangles negative, huge, zero or unreadable, any version record, and a shell that
// stops answering. The sweep reads only the client rectangles from the other process.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <map>
#include <optional>
#include <vector>

#include "fakes/fake_os_version.h"
#include "fakes/fake_window_access.h"
#include "fuzz/fakes_checked.h"
#include "tray/sys_tray_refresh.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    kw::test::FakeOsVersion os;
    os.set(input.ConsumeIntegralInRange(0, 3), input.ConsumeIntegralInRange(0, 11),
           input.PickValueInArray({0u, 1u, 2u, 10u, 90u, input.ConsumeIntegral<std::uint32_t>()}));
    os.plainSucceeds = input.ConsumeBool();
    os.exSucceeds = input.ConsumeBool();
    os.ex.wProductType = input.ConsumeIntegral<std::uint8_t>();
    os.ex.wSuiteMask = input.ConsumeIntegral<std::uint16_t>();
    // Service-pack texts that fill their fields without an end.
    for (char* text : {os.plain.szCSDVersion, os.ex.szCSDVersion}) {
        std::fill_n(text, 128, static_cast<char>(input.ConsumeIntegralInRange(1, 255)));
    }

    kw::test::FakeWindowAccess windows;
    std::vector<kw::Hwnd> made;
    std::map<kw::Hwnd, std::optional<kw::Rect>> clients;
    for (const char* name : {"Shell_TrayWnd", "TrayNotifyWnd", "SysPager", "ToolbarWindow32",
                             "NotifyIconOverflowWindow", "ToolbarWindow32", "ToolbarWindow32"}) {
        const std::size_t parent = input.ConsumeIntegralInRange<std::size_t>(0, made.size() + 1);
        if (parent > made.size()) {
            continue;  // not there
        }
        std::optional<kw::Rect> client;
        if (input.ConsumeBool()) {
            client = kw::Rect{input.ConsumeIntegral<std::int32_t>(), input.ConsumeIntegral<std::int32_t>(),
                              input.ConsumeIntegral<std::int32_t>(), input.ConsumeIntegral<std::int32_t>()};
        }
        made.push_back(windows.add(name, parent == 0 ? 0 : made[parent - 1], client));
        clients[made.back()] = client;
    }
    windows.answerLimit = input.ConsumeIntegralInRange<std::size_t>(0, 1 << 16);

    kw::clsSysTrayRefresh sweep(windows, os);
    sweep.SysTrayRefresh();
    sweep.BSInfo();
    // Every move lands inside the window's client area as read, or one column and row past it, and its
    // packed position is one the system can unpack.
    for (const kw::test::SentMessage& sent : windows.sent) {
        const auto client = clients.find(sent.window);
        const auto x = static_cast<std::int32_t>(static_cast<std::uint32_t>(sent.lParam) & 0xFFFF);
        const std::int32_t y = sent.lParam >> 16;
        if (client == clients.end() || !client->second || sent.message != kw::kMouseMove || sent.wParam != 0 ||
            x > client->second->right || y < 10 || y > client->second->bottom) {
            __builtin_trap();
        }
    }
    return 0;
}
