#pragma once

#include <cstdint>
#include <string>

namespace kw {

// The number the dialog reports when the user cancels it.
inline constexpr std::int32_t kDialogCancelled = 32755;
// OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_EXPLORER | OFN_LONGNAMES: the flags of the add command's dialog.
inline constexpr std::uint32_t kOpenFlags = 0x4 | 0x1000 | 0x80000 | 0x200000;

// The window's open-file dialog object: what the next showing asks for, and the file name chosen last,
// which the next showing starts with.
struct CommonDialog {
    std::string Filter;  // descriptions and patterns, each pair joined and separated by "|"
    std::string DialogTitle;
    std::uint32_t Flags = 0;  // OFN_*
    std::string FileName;     // full path
};

struct DialogError {
    std::int32_t number = 0;  // 0: a file was chosen
    std::string description;
};

// The system's common open-file dialog, modal and owned by the main window.
class OpenFileDialog {
public:
    virtual ~OpenFileDialog() = default;
    // On success the chosen file's full path replaces dialog.FileName; on a cancel (kDialogCancelled) or
    // another error it stays as it was.
    virtual DialogError showOpen(CommonDialog& dialog) = 0;
};

}  // namespace kw
