// The texts that the window shows, as both test suites expect them: the unit tests (tests/) and the
// end-to-end driver (tests/e2e/win). Written out here as the tests' own truth, never taken from the program.
#pragma once

#include <string>

namespace kw::test {

inline constexpr char kAktivPrefix[] = "Momentan aktive DFÜ-Verbindungen: ";
inline constexpr char kStatusStarting[] = "Status der Programme: Werden gestartet...";
inline constexpr char kStatusStarted[] = "Status der Programme: Gestartet";
inline constexpr char kStatusEnding[] = "Status der Programme: Werden terminiert...";
inline constexpr char kStatusEnded[] = "Status der Programme: Beendet";
inline constexpr char kLaunching[] = "Programme werden gestartet...";

// "Programme werden in 3 Sekunden gestartet..."
inline std::string CountdownText(int seconds) {
    return "Programme werden in " + std::to_string(seconds) + " Sekunden gestartet...";
}

}  // namespace kw::test
