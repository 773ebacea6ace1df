#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "fakes/fake_os_version.h"
#include "fakes/fake_window_access.h"
#include "tray/sys_tray_refresh.h"

namespace kw {
namespace {

using test::FakeOsVersion;
using test::FakeWindowAccess;

// The shell's windows as the versions that have a pager lay them out, plus a toolbar directly below
// the notify window as older versions have it.
struct Shell {
    explicit Shell(FakeWindowAccess& w, bool withPager = true) {
        taskbar = w.add("Shell_TrayWnd", 0, Rect{0, 0, 800, 30});
        notify = w.add("TrayNotifyWnd", taskbar, Rect{0, 0, 100, 20});
        directToolbar = w.add("ToolbarWindow32", notify, Rect{0, 0, 60, 20});
        if (withPager) {
            pager = w.add("SysPager", notify, Rect{0, 0, 80, 20});
            pagerToolbar = w.add("ToolbarWindow32", pager, Rect{0, 0, 40, 20});
        }
    }
    Hwnd taskbar = 0, notify = 0, directToolbar = 0, pager = 0, pagerToolbar = 0;
};

class TrayRefreshTest : public ::testing::Test {
protected:
    TrayRefreshTest() { os.set(2, 5, 1); }

    FakeWindowAccess windows;
    FakeOsVersion os;
    clsSysTrayRefresh refresh{windows, os};
};

std::int32_t Packed(std::int32_t x, std::int32_t y) {
    return x | (y << 16);
}

TEST_F(TrayRefreshTest, HwndIsZeroBeforeAnySweep) {
    Shell shell(windows);
    EXPECT_EQ(refresh.hwnd(), 0u);
    EXPECT_TRUE(windows.sent.empty());
}

TEST_F(TrayRefreshTest, SweepGridFollowsTheClientRectangle) {
    struct Row {
        const char* label;
        Rect client;
        std::vector<std::int32_t> rows;  // y of each swept row
    };
    const std::vector<Row> rows = {
        {"24 high, 150 wide", {0, 0, 150, 24}, {10}},
        {"30 high", {0, 0, 7, 30}, {10}},
        {"40 high", {0, 0, 7, 40}, {10, 30}},
        {"50 high: 1.5 rounds to 2", {0, 0, 7, 50}, {10, 30, 50}},
        {"70 high: 2.5 rounds to 2", {0, 0, 7, 70}, {10, 30, 50}},
        {"10 high: -0.5 rounds to 0", {0, 0, 7, 10}, {10}},
        {"9 high", {0, 0, 7, 9}, {}},
        {"0 high", {0, 0, 7, 0}, {}},
        {"left and top are not used", {5, 7, 12, 27}, {10}},
        {"zero wide still sends column 0", {0, 0, 0, 20}, {10}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        FakeWindowAccess w;
        FakeOsVersion v;
        v.set(2, 5, 1);
        Shell shell(w);
        w.setClient(shell.pagerToolbar, row.client);
        clsSysTrayRefresh r(w, v);

        EXPECT_TRUE(r.SysTrayRefresh());
        EXPECT_EQ(r.hwnd(), shell.pagerToolbar);
        EXPECT_TRUE(w.rectArrivedZeroed);

        std::vector<std::int32_t> expected;
        for (const std::int32_t y : row.rows) {
            for (std::int32_t x = 0; x <= row.client.right; ++x)
                expected.push_back(Packed(x, y));
        }
        std::vector<std::int32_t> actual;
        for (const auto& m : w.sent) {
            EXPECT_EQ(m.window, shell.pagerToolbar);
            EXPECT_EQ(m.message, 0x200u);
            EXPECT_EQ(m.wParam, 0u);
            actual.push_back(m.lParam);
        }
        EXPECT_EQ(actual.size(), expected.size()) << "messages sent";
        EXPECT_EQ(actual, expected);
    }
}

TEST_F(TrayRefreshTest, PackedPositionHoldsXLowAndYHigh) {
    Shell shell(windows);
    windows.setClient(shell.pagerToolbar, Rect{0, 0, 150, 24});
    refresh.SysTrayRefresh();
    ASSERT_EQ(windows.sent.size(), 151u);
    EXPECT_EQ(windows.sent.front().lParam, 655360);       // x 0, y 10
    EXPECT_EQ(windows.sent.back().lParam, 655360 + 150);  // x 150, y 10
}

TEST_F(TrayRefreshTest, UnreadableClientRectangleCountsAsEmpty) {
    Shell shell(windows);
    windows.setClient(shell.pagerToolbar, std::nullopt);
    EXPECT_TRUE(refresh.SysTrayRefresh());
    EXPECT_EQ(windows.clientRectCalls, 1);
    EXPECT_TRUE(windows.sent.empty()) << windows.sent.size() << " messages sent";
}

TEST_F(TrayRefreshTest, PositionsBeyondThePackedRangeAreLeftOut) {
    Shell shell(windows);
    windows.setClient(shell.pagerToolbar, Rect{0, 0, 70000, 20});
    EXPECT_TRUE(refresh.SysTrayRefresh());
    ASSERT_EQ(windows.sent.size(), 65536u) << "x from 0 to 65535";
    EXPECT_EQ(static_cast<std::uint32_t>(windows.sent.back().lParam), 65535u | (10u << 16));

    FakeWindowAccess tall;
    Shell tallShell(tall);
    tall.setClient(tallShell.pagerToolbar, Rect{0, 0, 0, 32800});
    clsSysTrayRefresh tallRefresh(tall, os);
    EXPECT_TRUE(tallRefresh.SysTrayRefresh());
    ASSERT_EQ(tall.sent.size(), 1638u) << "rows up to y 32750";
    EXPECT_EQ(tall.sent.back().lParam, Packed(0, 32750));
    for (const auto& m : tall.sent)
        ASSERT_GE(m.lParam, 0) << "y beyond 32767 turns the packed value negative";
}

TEST_F(TrayRefreshTest, SweepStopsWhenTheShellNoLongerAnswers) {
    Shell shell(windows);
    windows.setClient(shell.pagerToolbar, Rect{0, 0, 150, 70});
    windows.answerLimit = 3;
    refresh.SysTrayRefresh();
    EXPECT_EQ(windows.sent.size(), 4u) << "three answered, one unanswered, then no more";
    EXPECT_EQ(refresh.hwnd(), shell.pagerToolbar);
}

TEST_F(TrayRefreshTest, WindowPathDependsOnTheVersion) {
    enum Target { Notify, DirectToolbar, PagerToolbar };
    struct Row {
        const char* label;
        std::uint32_t platform, major, minor;
        Target target;
    };
    const std::vector<Row> rows = {
        {"code 0, Vista", 2, 6, 0, PagerToolbar},      {"code 0, platform 3", 3, 5, 1, PagerToolbar},
        {"code 1, Win32s", 0, 0, 0, Notify},           {"code 3, Win 95", 1, 4, 0, Notify},
        {"code 4, Win 98", 1, 4, 10, Notify},          {"code 13, NT 3.51", 2, 3, 51, Notify},
        {"code 14, NT 4.0", 2, 4, 0, Notify},          {"code 5, Win ME", 1, 4, 90, DirectToolbar},
        {"code 15, Win 2000", 2, 5, 0, DirectToolbar}, {"code 16, Win XP", 2, 5, 1, PagerToolbar},
        {"code 17, Win 2003", 2, 5, 2, PagerToolbar},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        FakeWindowAccess w;
        FakeOsVersion v;
        v.set(row.platform, row.major, row.minor);
        Shell shell(w);
        clsSysTrayRefresh r(w, v);
        const Hwnd expected = row.target == Notify          ? shell.notify
                              : row.target == DirectToolbar ? shell.directToolbar
                                                            : shell.pagerToolbar;
        EXPECT_TRUE(r.SysTrayRefresh());
        EXPECT_EQ(r.hwnd(), expected);
        ASSERT_FALSE(w.sent.empty());
        for (const auto& m : w.sent)
            ASSERT_EQ(m.window, expected);
        EXPECT_EQ(v.badRecords, 0);
    }
}

// At code 0 the icons sit in the toolbar below "SysPager" where the shell has one, and in the overflow
// area's toolbar; each window found gets its own full grid, the notification area first. Client sizes:
// notify 4x20 (one row), toolbar 2x24 (one row), overflow 3x45 (two rows).
TEST_F(TrayRefreshTest, LaterVersionsSweepTheIconToolbarAndTheOverflow) {
    enum Layout { Bare, Pager, PagerWithoutToolbar, Overflow, OverflowWithoutToolbar };
    struct Row {
        const char* label;
        std::vector<Layout> layout;
        std::uint32_t major;  // 6 and 10 give code 0, 5.1 is XP
        const char* swept;
        const char* stored;
        bool result;
    };
    const std::vector<Row> rows = {
        {"Vista to 10", {Pager, Overflow}, 10, "toolbar 3 to 2,10 | overflow 8 to 3,30", "toolbar", true},
        {"pager, no overflow", {Pager}, 6, "toolbar 3 to 2,10", "toolbar", true},
        {"Windows 11: neither toolbar", {Bare}, 10, "notify 5 to 4,10", "notify", true},
        {"no toolbar", {PagerWithoutToolbar, Overflow}, 6, "notify 5 to 4,10 | overflow 8 to 3,30", "notify", true},
        {"overflow window without a toolbar", {Pager, OverflowWithoutToolbar}, 6, "toolbar 3 to 2,10", "toolbar", true},
        {"overflow alone, no taskbar", {Overflow}, 10, "overflow 8 to 3,30", "overflow", true},
        {"nothing at all", {}, 10, "", "none", false},
        {"XP leaves the overflow alone", {Pager, Overflow}, 5, "toolbar 3 to 2,10", "toolbar", true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        FakeWindowAccess w;
        FakeOsVersion v;
        v.set(2, row.major, row.major == 5 ? 1 : 0);
        std::vector<std::pair<Hwnd, std::string>> names = {{0, "none"}};
        for (const Layout part : row.layout) {
            if (part == Overflow || part == OverflowWithoutToolbar) {
                const Hwnd overflow = w.add("NotifyIconOverflowWindow", 0, Rect{0, 0, 120, 80});
                if (part == Overflow)
                    names.emplace_back(w.add("ToolbarWindow32", overflow, Rect{0, 0, 3, 45}), "overflow");
                continue;
            }
            const Hwnd notify = w.add("TrayNotifyWnd", w.add("Shell_TrayWnd"), Rect{0, 0, 4, 20});
            names.emplace_back(notify, "notify");
            if (part != Bare) {
                const Hwnd pager = w.add("SysPager", notify, Rect{0, 0, 6, 20});
                if (part == Pager)
                    names.emplace_back(w.add("ToolbarWindow32", pager, Rect{0, 0, 2, 24}), "toolbar");
            }
        }
        const auto name = [&](Hwnd h) {
            for (const auto& [hwnd, text] : names)
                if (hwnd == h)
                    return text;
            return std::string("unexpected window");
        };
        clsSysTrayRefresh r(w, v);

        EXPECT_EQ(r.SysTrayRefresh(), row.result);
        EXPECT_EQ(name(r.hwnd()), row.stored);
        // Per window in the order swept: its moves and the last position, by the rule of rows and columns.
        std::string swept;
        for (std::size_t i = 0, first = 0; i < w.sent.size(); ++i) {
            if (i + 1 < w.sent.size() && w.sent[i + 1].window == w.sent[i].window)
                continue;
            swept += (swept.empty() ? "" : " | ") + name(w.sent[i].window) + " " + std::to_string(i + 1 - first) +
                     " to " + std::to_string(w.sent[i].lParam & 0xffff) + "," + std::to_string(w.sent[i].lParam >> 16);
            first = i + 1;
        }
        EXPECT_EQ(swept, row.swept);
        EXPECT_EQ(v.plainCalls, 1) << "one version query per sweep";
    }
}

TEST_F(TrayRefreshTest, FailedVersionQueryCountsAsWin32s) {
    Shell shell(windows);
    os.plainSucceeds = false;
    EXPECT_TRUE(refresh.SysTrayRefresh());
    EXPECT_EQ(refresh.hwnd(), shell.notify);
}

TEST_F(TrayRefreshTest, MissingWindowsOnThePathSweepNothing) {
    struct Row {
        const char* label;
        std::uint32_t minor;  // Windows 5.x
        bool taskbar, notify, pager;
    };
    const std::vector<Row> rows = {
        {"XP without SysPager", 1, true, true, false},
        {"2003 without SysPager", 2, true, true, false},
        {"no TrayNotifyWnd", 1, true, false, true},
        {"no Shell_TrayWnd", 1, false, false, false},
        {"2000 without Shell_TrayWnd", 0, false, false, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        FakeWindowAccess w;
        FakeOsVersion v;
        v.set(2, 5, row.minor);
        // A stray toolbar elsewhere must not be taken for the icon window.
        w.add("ToolbarWindow32", 0, Rect{0, 0, 10, 20});
        if (row.taskbar) {
            const Hwnd taskbar = w.add("Shell_TrayWnd");
            if (row.notify) {
                const Hwnd notify = w.add("TrayNotifyWnd", taskbar, Rect{0, 0, 10, 20});
                if (row.pager)
                    w.add("ToolbarWindow32", w.add("SysPager", notify), Rect{0, 0, 10, 20});
            }
        }
        clsSysTrayRefresh r(w, v);
        EXPECT_FALSE(r.SysTrayRefresh());
        EXPECT_EQ(r.hwnd(), 0u);
        EXPECT_TRUE(w.sent.empty()) << w.sent.size() << " messages sent";
    }
}

TEST_F(TrayRefreshTest, HwndFollowsTheLastSweep) {
    Shell shell(windows);
    ASSERT_TRUE(refresh.SysTrayRefresh());
    ASSERT_EQ(refresh.hwnd(), shell.pagerToolbar);
    os.set(2, 5, 0);
    ASSERT_TRUE(refresh.SysTrayRefresh());
    EXPECT_EQ(refresh.hwnd(), shell.directToolbar) << "the version is asked again on every sweep";

    FakeWindowAccess noPager;
    Shell older(noPager, false);
    clsSysTrayRefresh r(noPager, os);
    ASSERT_TRUE(r.SysTrayRefresh());
    ASSERT_EQ(r.hwnd(), older.directToolbar);
    os.set(2, 5, 1);
    EXPECT_FALSE(r.SysTrayRefresh());
    EXPECT_EQ(r.hwnd(), 0u) << "a sweep that finds nothing forgets the window";
}

struct InfoRow {
    const char* label;
    std::uint32_t platform, major, minor;
    std::uint8_t productType;
    std::uint16_t suiteMask;
    bool exSucceeds;
    const char* expected;
};

TEST_F(TrayRefreshTest, BSInfoNamesTheVersion) {
    const std::vector<InfoRow> rows = {
        {"Win32s", 0, 3, 10, 1, 0, true, "Win32s"},
        {"95", 1, 4, 0, 1, 0, true, "Win 95"},
        {"98", 1, 4, 10, 1, 0, true, "Win 98"},
        {"98, major not examined", 1, 9, 10, 1, 0, true, "Win 98"},
        {"ME", 1, 4, 90, 1, 0, true, "Win ME"},
        {"platform 1, unknown minor", 1, 4, 20, 1, 0, true, ""},
        {"NT 3.51 alone", 2, 3, 51, 1, 0, true, "Win NT 3.51"},
        {"NT 3.x, any minor", 2, 3, 10, 2, 0x200, true, "Win NT 3.51"},
        {"NT 4 workstation", 2, 4, 0, 1, 0, true, "Win NT 4.0 Workstation\r\nSP-ex"},
        {"NT 4 server", 2, 4, 0, 2, 0, true, "Win NT 4.0 Server\r\nSP-ex"},
        {"2000 workstation", 2, 5, 0, 1, 0, true, "Win 2000 Profesional\r\nSP-ex"},
        {"2000 domain controller", 2, 5, 0, 2, 0, true, "Win 2000 Server\r\nSP-ex"},
        {"XP professional", 2, 5, 1, 1, 0, true, "Win XP Profesional\r\nSP-ex"},
        {"XP home", 2, 5, 1, 1, 0x200, true, "Win XPHome EditionSP-ex"},
        {"XP home, other suite bits", 2, 5, 1, 1, 0x300, true, "Win XPHome EditionSP-ex"},
        {"XP, suite bits without personal", 2, 5, 1, 1, 0x100, true, "Win XP Profesional\r\nSP-ex"},
        {"2003 server", 2, 5, 2, 3, 0, true, "Win 2003/.NET Server\r\nSP-ex"},
        {"XP, extended query fails", 2, 5, 1, 1, 0x200, false, "Win XPSP-plain"},
        {"NT 4, extended query fails", 2, 4, 0, 2, 0, false, "Win NT 4.0SP-plain"},
        {"5.3 unknown", 2, 5, 3, 1, 0, true, ""},
        {"Vista unknown", 2, 6, 0, 1, 0, true, ""},
        {"platform 3 unknown", 3, 5, 1, 1, 0, true, ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        FakeWindowAccess w;
        FakeOsVersion v;
        v.set(row.platform, row.major, row.minor);
        v.ex.wProductType = row.productType;
        v.ex.wSuiteMask = row.suiteMask;
        FakeOsVersion::setText(v.ex.szCSDVersion, "SP-ex");
        FakeOsVersion::setText(v.plain.szCSDVersion, "SP-plain");
        v.exSucceeds = row.exSucceeds;
        clsSysTrayRefresh r(w, v);
        EXPECT_EQ(r.BSInfo(), row.expected);
        EXPECT_EQ(v.badRecords, 0) << "records must arrive zero-filled with size 148 / 156";
    }
}

TEST_F(TrayRefreshTest, BSInfoAsksTheExtendedRecordOnlyAboveNT351) {
    struct Row {
        const char* label;
        std::uint32_t platform, major, minor;
        int exCalls;
    };
    const std::vector<Row> rows = {
        {"98", 1, 4, 10, 0}, {"NT 3.51", 2, 3, 51, 0}, {"NT 4", 2, 4, 0, 1},
        {"XP", 2, 5, 1, 1},  {"unknown", 2, 6, 0, 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        FakeWindowAccess w;
        FakeOsVersion v;
        v.set(row.platform, row.major, row.minor);
        clsSysTrayRefresh r(w, v);
        r.BSInfo();
        EXPECT_EQ(v.exCalls, row.exCalls);
    }
}

TEST_F(TrayRefreshTest, BSInfoTakesTheWholeServicePackField) {
    const std::string full(128, 'S');  // no terminating NUL inside the field
    FakeOsVersion::setText(os.ex.szCSDVersion, full);
    os.ex.wProductType = 1;
    EXPECT_EQ(refresh.BSInfo(), "Win XP Profesional\r\n" + full);

    os.ex.szCSDVersion[0] = '\0';
    EXPECT_EQ(refresh.BSInfo(), "Win XP Profesional\r\n") << "no service pack installed";
}

}  // namespace
}  // namespace kw
