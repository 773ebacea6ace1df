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

// The extension of a file name, in lower case; "" when the last path component has no dot.
std::string ExtensionOf(std::string_view name) {
    const std::size_t dot = name.find_last_of(".\\/");
    if (dot == std::string_view::npos || name[dot] != '.') {
        return "";
    }
    std::string extension(name.substr(dot + 1));
    for (char& c : extension) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return extension;
}

// A batch file, which the system runs through the command interpreter; an image needs no name to run.
bool IsBatchName(std::string_view name) {
    const std::string extension = ExtensionOf(name);
    return extension == "bat" || extension == "cmd";
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

bool IsProgram(const std::string& path, const std::function<PathKind(const std::string&)>& lookUp) {
    const PathKind kind = lookUp(path);
    return kind == PathKind::image || (kind == PathKind::file && IsBatchName(path));
}

bool IsShortcutName(std::string_view name) {
    return ExtensionOf(name) == "lnk";
}

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
            choice.end = end;
            return choice;
        }
    }
    choice.kind = ProgramChoice::Kind::NotFound;
    return choice;
}

namespace {

char Folded(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// The folder of a full path: what comes before its last separator, with a drive's root kept whole (C:\).
std::string FolderOf(std::string_view path) {
    const std::size_t slash = path.find_last_of("\\/");
    if (slash == std::string_view::npos) {
        return "";
    }
    if (slash == 2 && path[1] == ':') {
        return std::string(path.substr(0, 3));
    }
    return std::string(path.substr(0, slash));
}

}  // namespace

bool IsInFolder(std::string_view path, std::string_view folder) {
    while (!folder.empty() && IsSeparator(folder.back())) {
        folder.remove_suffix(1);
    }
    if (folder.empty() || path.size() <= folder.size() || !IsSeparator(path[folder.size()])) {
        return false;
    }
    for (std::size_t i = 0; i < folder.size(); ++i) {
        const bool same = IsSeparator(path[i]) ? IsSeparator(folder[i]) : Folded(path[i]) == Folded(folder[i]);
        if (!same) {
            return false;
        }
    }
    return true;
}

bool NeedsNativeView(std::string_view path, const SystemFolders& system) {
    return system.redirected && IsInFolder(path, system.system);
}

std::optional<LaunchPlan> PlanLaunch(std::string_view entry, const SystemFolders& system,
                                     const std::function<PathKind(const std::string&, bool native)>& lookUp) {
    const auto native = [&system](std::string_view path) { return NeedsNativeView(path, system); };
    const ProgramChoice choice =
        ChooseProgram(entry, [&](const std::string& path) { return lookUp(path, native(path)); });
    if (choice.kind == ProgramChoice::Kind::NotFound) {
        return std::nullopt;
    }

    // The program's text, as the system reads it out of the command line, and the arguments behind it.
    std::string_view named;
    std::string_view arguments;
    if (choice.kind == ProgramChoice::Kind::Found) {
        named = choice.program;
        arguments = entry.substr(choice.end);
    } else if (!entry.empty() && entry[0] == '"') {
        const std::size_t close = entry.find('"', 1);
        named = entry.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1);
        arguments = close == std::string_view::npos ? std::string_view() : entry.substr(close + 1);
    } else {
        const std::size_t blank = entry.find_first_of(" \t");
        named = entry.substr(0, blank);
        arguments = blank == std::string_view::npos ? std::string_view() : entry.substr(blank);
    }

    LaunchPlan plan;
    plan.program = choice.program;
    plan.commandLine = std::string(entry);
    plan.native = native(named);
    // A folder that is not there holds no program either: the system is left to say why it cannot start.
    const std::string folder = IsFullPath(named) ? FolderOf(named) : "";
    if (folder.empty()) {
        plan.folder = system.profile;
    } else if (choice.kind == ProgramChoice::Kind::Found || lookUp(folder, plan.native) == PathKind::folder) {
        plan.folder = folder;
    }

    if (IsBatchName(named)) {
        plan.program = system.system.empty() ? "" : system.system + "\\cmd.exe";
        plan.commandLine = "cmd.exe /d /s /c \"\"" + std::string(named) + "\"" + std::string(arguments) + "\"";
        plan.native = system.redirected;
    }
    return plan;
}

}  // namespace kw
