#pragma once

#include <windows.h>

#include "platform/adapter_dialog.h"

namespace kw::win32 {

class MainWindow;

// The dialog template IDD_ADAPTER of the resources, owned by the main window.
class Win32AdapterDialog final : public AdapterDialog {
public:
    Win32AdapterDialog(HINSTANCE instance, const MainWindow& owner) : instance_(instance), owner_(owner) {}
    std::optional<std::vector<std::string>> chooseAdapters(
        const std::vector<AdapterRow>& rows,
        const std::function<std::optional<Refusal>(const std::vector<std::string>&)>& check) override;

private:
    HINSTANCE instance_;
    const MainWindow& owner_;
};

}  // namespace kw::win32
