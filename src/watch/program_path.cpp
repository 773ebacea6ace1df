#include "watch/program_path.h"

#include "app/text.h"
#include "app/utf.h"

namespace kw {
namespace {

// The system's command line holds at most this many UTF-16 characters, its end included.
constexpr std::size_t kMaxCommandLine = 32767;

bool IsSeparator(char c) {
    return c == '\\' || c == '/';
}

// A drive ("C:..."), a root or a network share. Bare and relative names keep the system's own search
// (the program's folder, the system folders, PATH), which no check of ours could reproduce.
bool IsFullPath(std::string_view entry) {
    if (!entry.empty() && IsSeparator(entry[0])) {
        return true;
    }
    const bool letter =
        entry.size() >= 2 && ((entry[0] >= 'A' && entry[0] <= 'Z') || (entry[0] >= 'a' && entry[0] <= 'z'));
    return letter && entry[1] == ':';
}

std::string WithSystemExtension(std::string_view candidate) {
    const std::size_t slash = candidate.find_last_of("\\/");
    const std::string_view last = slash == std::string_view::npos ? candidate : candidate.substr(slash + 1);
    std::string name(candidate);
    if (last.find('.') == std::string_view::npos) {
        name += ".exe";
    }
    return name;
}

// A batch file, which the system runs through the command interpreter; an image needs no name to run.
bool IsBatchName(std::string_view name) {
    const std::size_t dot = name.find_last_of(".\\/");
    if (dot == std::string_view::npos || name[dot] != '.') {
        return false;
    }
    std::string extension(name.substr(dot + 1));
    for (char& c : extension) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return extension == "bat" || extension == "cmd";
}

// What the system starts as a program when it is named in a command line. A document is not run,
// whatever its name.
bool IsProgram(const std::string& path, const std::function<PathKind(const std::string&)>& lookUp) {
    const PathKind kind = lookUp(path);
    return kind == PathKind::image || (kind == PathKind::file && IsBatchName(path));
}

// Where the longest existing folder named by the entry beyond its first word ends, or 0 if there is none.
std::size_t EndOfNamedFolder(std::string_view entry, const std::function<PathKind(const std::string&)>& lookUp) {
    const std::size_t firstBlank = entry.find_first_of(" \t");
    for (std::size_t end = entry.size(); end > firstBlank; --end) {
        if (IsSeparator(entry[end - 1]) && lookUp(std::string(entry.substr(0, end - 1))) == PathKind::folder) {
            return end - 1;
        }
    }
    return 0;
}

}  // namespace

ProgramChoice ChooseProgram(std::string_view entry, const std::function<PathKind(const std::string&)>& lookUp) {
    ProgramChoice choice;
    // Only a store edited by hand holds a longer entry. It could never start, and reading it word by word
    // for its program would hold the window up for seconds.
    if (Utf8ToUtf16(entry).size() >= kMaxCommandLine) {
        choice.kind = ProgramChoice::Kind::NotFound;
        return choice;
    }
    if (entry.empty() || !IsFullPath(entry) || entry.find_first_of(" \t") == std::string_view::npos) {
        return choice;
    }

    const std::size_t folderEnd = EndOfNamedFolder(entry, lookUp);
    // Longest first: the whole entry, then each prefix that ends just before a run of blanks.
    for (std::size_t end = entry.size(); end > folderEnd; --end) {
        const bool endsWord = !IsBlank(entry[end - 1]) && (end == entry.size() || IsBlank(entry[end]));
        if (!endsWord) {
            continue;
        }
        std::string program = WithSystemExtension(entry.substr(0, end));
        if (IsProgram(program, lookUp)) {
            choice.kind = ProgramChoice::Kind::Found;
            choice.program = std::move(program);
            return choice;
        }
    }
    choice.kind = ProgramChoice::Kind::NotFound;
    return choice;
}

}  // namespace kw
