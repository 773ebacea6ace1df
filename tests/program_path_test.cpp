// Which program an unquoted entry names: the candidate table and the longest entry.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "watch/program_path.h"

namespace kw::test {
namespace {

TEST(UnquotedEntry, RunsTheProgramItsAuthorMeant) {
    using Kind = ProgramChoice::Kind;
    const PathKind image = PathKind::image;  // a file that starts with "MZ"
    const PathKind file = PathKind::file;
    struct Row {
        const char* label;
        const char* entry;
        std::map<std::string, PathKind> files;
        Kind kind;
        const char* program;
    };
    const std::set<std::string> folders = {"C:", "C:\\Program Files", "C:\\Program Files\\x", "C:\\Daten",
                                           "C:\\T\\a b.exe"};
    const std::vector<Row> rows = {
        {"a program planted on the way is passed over",
         "C:\\Program Files\\x\\y.exe arg",
         {{"C:\\Program.exe", image}, {"C:\\Program Files\\x\\y.exe", image}},
         Kind::Found,
         "C:\\Program Files\\x\\y.exe"},
        {"the program meant is gone, the planted one is still passed over",
         "C:\\Program Files\\x\\y.exe arg",
         {{"C:\\Program.exe", image}},
         Kind::NotFound,
         ""},
        {"nothing there", "C:\\Programme\\Fehlt\\fehlt.exe -x", {}, Kind::NotFound, ""},
        {"the longest name wins",
         "C:\\Werkzeuge\\mein prog.exe zwei -x",
         {{"C:\\Werkzeuge\\mein.exe", image}, {"C:\\Werkzeuge\\mein prog.exe", image}},
         Kind::Found,
         "C:\\Werkzeuge\\mein prog.exe"},
        {"no arguments",
         "C:\\Program Files\\x\\y.exe",
         {{"C:\\Program Files\\x\\y.exe", image}},
         Kind::Found,
         "C:\\Program Files\\x\\y.exe"},
        {".exe added like the system adds it",
         "C:\\Program Files\\x\\y -x",
         {{"C:\\Program Files\\x\\y.exe", image}},
         Kind::Found,
         "C:\\Program Files\\x\\y.exe"},
        {"a dot in a folder name adds no extension",
         "C:\\Program Files\\Tool 2.0\\tool -x",
         {{"C:\\Program Files\\Tool 2.0\\tool.exe", image}},
         Kind::Found,
         "C:\\Program Files\\Tool 2.0\\tool.exe"},
        {"a name with a dot is taken as it is",
         "C:\\Program Files\\x\\y.v2 -x",
         {{"C:\\Program Files\\x\\y.v2.exe", image}},
         Kind::NotFound,
         ""},
        {"tab and blank runs",
         "C:\\Program Files\\x\\y.exe\t  arg",
         {{"C:\\Program Files\\x\\y.exe", image}},
         Kind::Found,
         "C:\\Program Files\\x\\y.exe"},
        {"an argument that is a path",
         "C:\\Program Files\\x\\y.exe C:\\Daten\\a b.txt",
         {{"C:\\Program Files\\x\\y.exe", image}, {"C:\\Daten\\a b.txt", file}},
         Kind::Found,
         "C:\\Program Files\\x\\y.exe"},
        {"network share",
         "\\\\Server\\Werkzeuge\\mein prog.exe /x",
         {{"\\\\Server\\Werkzeuge\\mein prog.exe", image}},
         Kind::Found,
         "\\\\Server\\Werkzeuge\\mein prog.exe"},
        {"a document is no program",
         "C:\\T\\a b.txt",
         {{"C:\\T\\a.exe", image}, {"C:\\T\\a b.txt", file}},
         Kind::Found,
         "C:\\T\\a.exe"},
        {"a document alone runs nothing", "C:\\T\\a b.txt", {{"C:\\T\\a b.txt", file}}, Kind::NotFound, ""},
        {"batch file", "C:\\T\\s.BAT /q", {{"C:\\T\\s.BAT", file}}, Kind::Found, "C:\\T\\s.BAT"},
        {"command script", "C:\\T\\s.Cmd /q", {{"C:\\T\\s.Cmd", file}}, Kind::Found, "C:\\T\\s.Cmd"},
        {"com program", "C:\\T\\s.com /q", {{"C:\\T\\s.com", image}}, Kind::Found, "C:\\T\\s.com"},
        {"an image runs whatever its extension",
         "C:\\Mein Schoner\\x.scr /s",
         {{"C:\\Mein Schoner\\x.scr", image}},
         Kind::Found,
         "C:\\Mein Schoner\\x.scr"},
        {"an image without extension is not found by the name the system tries",
         "C:\\Mein Schoner\\x /s",
         {{"C:\\Mein Schoner\\x", image}},
         Kind::NotFound,
         ""},
        {"a file named .exe that is no image runs nothing",
         "C:\\T\\kaputt.exe -x",
         {{"C:\\T\\kaputt.exe", file}},
         Kind::NotFound,
         ""},
        {"a file named .exe that is no image is passed over for the image before it",
         "C:\\T\\a b.exe",
         {{"C:\\T\\a.exe", image}, {"C:\\T\\a b.exe", file}},
         Kind::Found,
         "C:\\T\\a.exe"},
        {"a folder named .exe",
         "C:\\T\\a b.exe",
         {{"C:\\T\\a.exe", image}, {"C:\\T\\a b.exe", PathKind::folder}},
         Kind::Found,
         "C:\\T\\a.exe"},
        {"quoted", "\"C:\\Program Files\\x\\y.exe\" arg", {{"C:\\Program.exe", image}}, Kind::LeftToSystem, ""},
        {"no blank", "C:\\Programme\\y.exe", {}, Kind::LeftToSystem, ""},
        {"bare name on the search path", "notepad.exe datei.txt", {}, Kind::LeftToSystem, ""},
        {"relative path", "Werkzeuge\\mein prog.exe", {}, Kind::LeftToSystem, ""},
        {"blank in front", " C:\\Program Files\\x\\y.exe", {}, Kind::LeftToSystem, ""},
        {"empty", "", {}, Kind::LeftToSystem, ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        int lookUps = 0;
        const ProgramChoice choice = ChooseProgram(row.entry, [&](const std::string& path) {
            ++lookUps;
            const auto found = row.files.find(path);
            return found != row.files.end() ? found->second
                   : folders.count(path)    ? PathKind::folder
                                            : PathKind::missing;
        });
        EXPECT_EQ(choice.kind, row.kind);
        EXPECT_EQ(choice.program, row.program);
        if (row.kind == Kind::LeftToSystem) {
            EXPECT_EQ(lookUps, 0) << "left to the system as before, without looking at any file";
        }
    }
}

// A command line holds 32767 UTF-16 characters with its end; an entry past that (a store edited by hand)
// is not read for its program at all. Umlauts count once, though they take two bytes.
TEST(UnquotedEntry, LongerThanACommandLineRunsNothingAndIsNotRead) {
    const std::string program = "C:\\Program Files\\x\\y.exe";
    int lookUps = 0;
    const auto lookUp = [&](const std::string& path) {
        ++lookUps;
        return path == program ? PathKind::image : PathKind::missing;
    };
    std::string longest = program + " ";
    for (std::size_t i = longest.size(); i < 32766; ++i) {
        longest += "ä";
    }
    const ProgramChoice fits = ChooseProgram(longest, lookUp);
    EXPECT_EQ(fits.kind, ProgramChoice::Kind::Found);
    EXPECT_EQ(fits.program, program);

    lookUps = 0;
    const ProgramChoice past = ChooseProgram(longest + "x", lookUp);
    EXPECT_EQ(past.kind, ProgramChoice::Kind::NotFound);
    EXPECT_EQ(lookUps, 0);
    EXPECT_EQ(ChooseProgram("\"" + longest + "\"", lookUp).kind, ProgramChoice::Kind::NotFound) << "quoted";
}

}  // namespace
}  // namespace kw::test

namespace kw::test {
namespace {

// Where each entry starts, which program the system is handed, and whether the real system folder is
// reached; on 64-bit Windows (redirected) and where nothing is redirected.
TEST(LaunchPlan, FolderSystemFolderAndBatchFilesAsTheSystemStartsThem) {
    const PathKind image = PathKind::image;
    const PathKind folder = PathKind::folder;
    const std::map<std::string, PathKind> files = {
        {"C:\\", folder},
        {"C:\\Tools", folder},
        {"C:\\Meine Programme", folder},
        {"C:\\Meine Programme\\Über Uhr", folder},
        {"C:\\Meine Programme\\Über Uhr\\uhr.exe", image},
        {"C:\\Meine Skripte (alt) & neu", folder},
        {"C:\\Meine Skripte (alt) & neu\\start^1.bat", PathKind::file},
        {"C:\\Windows\\system32\\OpenSSH", folder},
        {"C:\\Windows\\system32\\OpenSSH\\ssh.exe", image},
    };
    struct Row {
        const char* label;
        bool redirected;
        const char* entry;
        LaunchPlan plan;  // program, command line, folder, native
    };
    const std::string profile = "C:\\Users\\Jörg";
    const std::vector<Row> rows = {
        {"quoted, with arguments: its own folder",
         false,
         "\"C:\\Tools\\x.exe\" /a",
         {"", "\"C:\\Tools\\x.exe\" /a", "C:\\Tools", false}},
        {"unquoted with blanks and umlauts",
         false,
         "C:\\Meine Programme\\Über Uhr\\uhr.exe -s",
         {"C:\\Meine Programme\\Über Uhr\\uhr.exe", "C:\\Meine Programme\\Über Uhr\\uhr.exe -s",
          "C:\\Meine Programme\\Über Uhr", false}},
        {"a program at the root", false, "\"C:\\x.exe\"", {"", "\"C:\\x.exe\"", "C:\\", false}},
        {"found on the search path: the profile",
         false,
         "notepad.exe notiz.txt",
         {"", "notepad.exe notiz.txt", profile, false}},
        {"a folder that is not there: the system says why",
         false,
         "\"C:\\Weg\\x.exe\"",
         {"", "\"C:\\Weg\\x.exe\"", "", false}},
        {"the system folder, redirected",
         true,
         "\"C:\\Windows\\System32\\OpenSSH\\ssh.exe\" host",
         {"", "\"C:\\Windows\\System32\\OpenSSH\\ssh.exe\" host", "C:\\Windows\\System32\\OpenSSH", true}},
        {"the system folder, unquoted, redirected",
         true,
         "C:\\WINDOWS\\system32\\OpenSSH\\ssh.exe -p 22 host",
         {"C:\\WINDOWS\\system32\\OpenSSH\\ssh.exe", "C:\\WINDOWS\\system32\\OpenSSH\\ssh.exe -p 22 host",
          "C:\\WINDOWS\\system32\\OpenSSH", true}},
        {"the system folder, not redirected",
         false,
         "\"C:\\Windows\\system32\\OpenSSH\\ssh.exe\"",
         {"", "\"C:\\Windows\\system32\\OpenSSH\\ssh.exe\"", "C:\\Windows\\system32\\OpenSSH", false}},
        {"a folder named like the system folder",
         true,
         "\"C:\\Windows\\system32x\\a.exe\"",
         {"", "\"C:\\Windows\\system32x\\a.exe\"", "", false}},
        {"a batch file with blanks, & ^ ( ) and arguments",
         true,
         "\"C:\\Meine Skripte (alt) & neu\\start^1.bat\" alpha \"b c\"",
         {"C:\\Windows\\system32\\cmd.exe",
          "cmd.exe /d /s /c \"\"C:\\Meine Skripte (alt) & neu\\start^1.bat\" alpha \"b c\"\"",
          "C:\\Meine Skripte (alt) & neu", true}},
        {"a batch file unquoted",
         false,
         "C:\\Meine Skripte (alt) & neu\\start^1.bat x",
         {"C:\\Windows\\system32\\cmd.exe", "cmd.exe /d /s /c \"\"C:\\Meine Skripte (alt) & neu\\start^1.bat\" x\"",
          "C:\\Meine Skripte (alt) & neu", false}},
        {"a batch file on the search path",
         false,
         "sichern.CMD",
         {"C:\\Windows\\system32\\cmd.exe", "cmd.exe /d /s /c \"\"sichern.CMD\"\"", profile, false}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        const SystemFolders system{"C:\\Windows\\system32", profile, row.redirected};
        std::vector<std::string> native;
        const auto lookUp = [&](const std::string& path, bool nativeView) {
            if (nativeView)
                native.push_back(path);
            // A 32-bit view of the system folder shows the 32-bit one, which has no OpenSSH.
            if (row.redirected && !nativeView && IsInFolder(path, system.system))
                return PathKind::missing;
            const auto found = files.find(path);
            if (found != files.end())
                return found->second;
            // The system compares paths without regard to case.
            for (const auto& [name, kind] : files) {
                if (IsInFolder(path + "\\x", name) && IsInFolder(name + "\\x", path))
                    return kind;
            }
            return PathKind::missing;
        };
        const std::optional<LaunchPlan> plan = PlanLaunch(row.entry, system, lookUp);
        ASSERT_TRUE(plan.has_value());
        EXPECT_EQ(plan->program, row.plan.program);
        EXPECT_EQ(plan->commandLine, row.plan.commandLine);
        EXPECT_EQ(plan->folder, row.plan.folder);
        EXPECT_EQ(plan->native, row.plan.native);
        for (const std::string& path : native) {
            EXPECT_TRUE(row.redirected) << path << " looked at natively without redirection";
        }
    }

    const SystemFolders system{"C:\\Windows\\system32", profile, true};
    EXPECT_FALSE(
        PlanLaunch("C:\\Programme Alt\\weg.exe -x", system, [](const std::string&, bool) { return PathKind::missing; })
            .has_value())
        << "an unquoted path with blanks that names no program starts nothing";
}

}  // namespace
}  // namespace kw::test
