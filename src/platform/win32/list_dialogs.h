// The modal dialogs of list editing: the common open-file dialog and the input box. Both are owned by
// the main window, which exists only after these objects, hence the reference.
#pragma once

#include <windows.h>

#include "platform/input_box.h"
#include "platform/open_file_dialog.h"

namespace kw::win32 {

class MainWindow;

class Win32OpenFileDialog final : public OpenFileDialog {
public:
    explicit Win32OpenFileDialog(const MainWindow& owner) : owner_(owner) {}
    DialogError showOpen(CommonDialog& dialog) override;

private:
    const MainWindow& owner_;
};

// The dialog template IDD_INPUTBOX of the resources.
class Win32InputBox final : public InputBox {
public:
    Win32InputBox(HINSTANCE instance, const MainWindow& owner) : instance_(instance), owner_(owner) {}
    std::string inputBox(const std::string& prompt, const std::string& title, const std::string& defaultText) override;

private:
    HINSTANCE instance_;
    const MainWindow& owner_;
};

}  // namespace kw::win32
