// Which program an entry of the list names, when the system must not be left to guess.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "platform/file_look_up.h"
#include "platform/processes.h"

namespace kw {

struct ProgramChoice {
    enum class Kind {
        // Quoted, without blanks, or not a full path: the system finds the program by its own rules.
        LeftToSystem,
        // An unquoted full path with blanks: run `program`, with the whole entry as its command line.
        Found,
        // An unquoted full path with blanks that names no existing program, or any entry longer than a
        // command line can be: nothing is run.
        NotFound,
    };
    Kind kind = Kind::LeftToSystem;
    std::string program;
    std::size_t end = 0;  // Found: where the program's text ends in the entry, and its arguments begin
};

// Given an unquoted `C:\Program Files\Tool\tool.exe -x`, the system tries `C:\Program.exe` first, so a
// program planted there would run instead. This reads the entry the way its author meant it: the
// longest prefix ending at a blank that names an existing program, with ".exe" added where the system
// adds it (when the prefix's last path component has no dot). A program is a file that the system would
// start: an executable image, whatever its extension (a screen saver's .scr), or a batch file (.bat, .cmd),
// which the system hands to the command interpreter. A document is passed over, so with `app.exe` beside
// `app notes.txt` the entry `C:\Tools\app notes.txt` runs `app.exe` with `notes.txt`, as the system would;
// so is a file named .exe that is no image, which the system could not start.
// A prefix that stops short of a folder the entry goes on to name is never the program: with
// `C:\Program Files` there, `C:\Program.exe` is not what the entry means, even once `tool.exe` has been
// removed.
// What the system starts as a program when it is named in a command line: an image, whatever its name, or
// a batch file. A document is not run, whatever its name.
bool IsProgram(const std::string& path, const std::function<PathKind(const std::string&)>& lookUp);

// A shell shortcut (.lnk), by its name.
bool IsShortcutName(std::string_view name);

ProgramChoice ChooseProgram(std::string_view entry, const std::function<PathKind(const std::string&)>& lookUp);

// How the system itself would start an entry, as a double click in Explorer or the Run dialog starts it:
// - a program named by its path starts in its own folder; one that the system finds on its search path
//   starts in the user's profile folder;
// - a path into the system folder reaches the real one, where a 32-bit program would be led to the
//   32-bit folder instead (`native`), for the look-ups and for the start alike;
// - a batch file runs through the system's command interpreter, with its path quoted, so that blanks and
//   the characters & ^ ( ) in the path survive, and its arguments as the entry gives them.
// Nothing (the system's "file not found") when an unquoted path with blanks names no program.
std::optional<LaunchPlan> PlanLaunch(std::string_view entry, const SystemFolders& system,
                                     const std::function<PathKind(const std::string&, bool native)>& lookUp);

// True when `path` lies in `folder` (compared as the system compares paths, without regard to case).
bool IsInFolder(std::string_view path, std::string_view folder);

// True when `path` must be looked at past a 32-bit program's redirection to reach the real system folder.
bool NeedsNativeView(std::string_view path, const SystemFolders& system);

}  // namespace kw
