// Which program an entry of the list names, when the system must not be left to guess.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "platform/file_look_up.h"

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
ProgramChoice ChooseProgram(std::string_view entry, const std::function<PathKind(const std::string&)>& lookUp);

}  // namespace kw
