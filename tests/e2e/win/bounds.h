// Every timing bound of the end-to-end tests, each with its reason. They must hold on a real Windows
// machine (sleeps rounded up to a 15.6 ms timer) and in an emulated x86 machine (CPU work several times
// slower, the clock honest), so they check what the program promises, not how fast a machine is.
#pragma once

#include <windows.h>

namespace kwt::bounds {

// A countdown second is 100 sleeps of 10 ms and is never corrected: never shorter (less the test's 2 ms poll).
inline constexpr double kCountdownStepMinMs = 990;
// ... but longer wherever sleeps are coarse: 1.56 s on a 15.6 ms timer, 1.31 s measured in the emulator.
inline constexpr double kCountdownStepMaxMs = 2000;
// A connection is noticed at the next 200 ms tick, and a late tick (a busy machine) may add one more.
inline constexpr double kNoticeMs = 400;
// The count is read by a 200 ms timer: five times a second (4.98 measured in the emulator).
inline constexpr double kCountsPerSecondMin = 4.5;
inline constexpr double kCountsPerSecondMax = 5.5;
// Hidden at the first tick after minimising (200 ms) plus the hiding itself (84 ms in the emulator).
inline constexpr double kHideMs = 350;
// Ending a launched program after the last connection dropped: a tick, then TerminateProcess (160 ms emulated).
inline constexpr double kDropToExitMs = 1500;
// Proof that nothing happens: five ticks of 200 ms in which the program would have acted, with room for a
// late tick.
inline constexpr DWORD kQuietMs = 1200;
// The system announces the drop, so the ending starts at once: well inside one 200 ms tick, although
// ending a process takes 100 ms and more in the emulated machine.
inline constexpr double kAnnouncedDropToExitMs = 200;
// "Beenden" with a box open in the countdown: the box closes, the countdown's 10 ms wait unwinds and the
// window goes; as for any quit, a few rounds of messages, under 1 s natively.
inline constexpr DWORD kQuitWithBoxOpenMs = 3000;
// A box or dialog opened by a click: a message box well under 1 s anywhere; the open dialog builds the
// shell's folder view, which took more than 3 s in the emulated machine.
inline constexpr DWORD kBoxOpenMs = 10000;
// A freshly started Windows process shows its window, box or record: well under 1 s natively, seconds emulated.
inline constexpr DWORD kProcessStartMs = 15000;

}  // namespace kwt::bounds
