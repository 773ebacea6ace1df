// The notifications that the tray icon shows: a launch in which entries could not be started, and the
// end of the programs when the connections went.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kw {

// An entry that could not be started, and the system's reason.
struct FailedStart {
    std::string entry;
    std::string reason;
};

// One line per entry, in the order of the list: "Nicht gestartet: " + entry + " " + reason.
std::string StartFailureNotice(const std::vector<FailedStart>& failed);

// "Verbindung getrennt: N Programme beendet.", or with a failed count (-1) "Verbindungen nicht
// abfragbar: ..."; singular for one program.
std::string DropNotice(std::int32_t count, int ended);

// The text cut to what a notification holds (kBalloonTextChars UTF-16 characters), ending with "…" where
// it was cut; never inside a character.
std::string FitNotice(const std::string& text);

}  // namespace kw
