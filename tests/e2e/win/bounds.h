// Every timing bound of the end-to-end tests, each with its reason. They must hold on a real Windows
// machine (sleeps rounded up to a 15.6 ms timer) and in an emulated x86 machine (CPU work several times
// slower, the clock honest), so they check what the program promises, not how fast a machine is.
#pragma once

#include <windows.h>

namespace kwt::bounds {

// A countdown second is 100 sleeps of 10 ms and is never corrected: never shorter (less the test's 2 ms poll).
inline constexpr double kCountdownStepMinMs = 990;
// ... but longer wherever sleeps are coarse (1.56 s on a 15.6 ms timer) or the machine is slow, as the
// emulated one is.
inline constexpr double kCountdownStepMaxMs = 2000;
// The latest a launch can come once the countdown shows `shown` seconds: that many long seconds and the
// second that shows 0.
inline constexpr DWORD LaunchAfterCountdownMs(int shown) {
    return static_cast<DWORD>((shown + 1) * kCountdownStepMaxMs);
}
// A connection is noticed at the next 200 ms tick, and a late tick (a busy machine) may add one more.
inline constexpr double kNoticeMs = 400;
// The count is read by a 200 ms timer: five times a second, wherever the clock is honest.
inline constexpr double kCountsPerSecondMin = 4.5;
inline constexpr double kCountsPerSecondMax = 5.5;
// The counts are taken over 25 ticks, so that neither end, off by part of a tick, moves the rate out of
// its bounds.
inline constexpr DWORD kCountsWindowMs = 5000;
// Hidden at the first tick after minimising (200 ms) plus the hiding itself, slower in the emulated machine.
inline constexpr double kHideMs = 350;
// Ending a launched program after the last connection dropped: a tick, then TerminateProcess, which takes
// the emulated machine a good part of a tick.
inline constexpr double kDropToExitMs = 1500;
// Proof that nothing happens: five ticks of 200 ms in which the program would have acted, with room for a
// late tick.
inline constexpr DWORD kQuietMs = 1200;
// The system announces the drop, so the ending starts at once: well inside one 200 ms tick, although
// ending a process takes the emulated machine a good part of it.
inline constexpr double kAnnouncedDropToExitMs = 200;
// "Beenden" with a box open in the countdown: the box closes, the countdown's 10 ms wait unwinds and the
// window goes; as for any quit, a few rounds of messages.
inline constexpr DWORD kQuitWithBoxOpenMs = 3000;
// A box or dialog opened by a click: a message box at once anywhere; the open dialog builds the shell's
// folder view, which takes the emulated machine seconds.
inline constexpr DWORD kBoxOpenMs = 10000;
// A freshly started Windows process shows its window, box or record: at once natively, seconds emulated.
inline constexpr DWORD kProcessStartMs = 15000;
// A notification shows: Wine's shell puts it up about 2 s after the program asked, and keeps one for at
// least 10 s before the next of the same icon.
inline constexpr DWORD kBalloonMs = 25000;

}  // namespace kwt::bounds
