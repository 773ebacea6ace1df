// What the three files of the main window share: its class name, timer, subclass IDs and own message.
#pragma once

#include <windows.h>

#include <cstddef>

#include "platform/form_view.h"
#include "platform/win32/control_ids.h"

namespace kw::win32 {

inline constexpr wchar_t kMainWindowClass[] = L"" KW_MAIN_WINDOW_CLASS;
inline constexpr UINT_PTR kTimerId = 1;
inline constexpr UINT_PTR kText1SubclassId = 1;
inline constexpr UINT_PTR kFilelistSubclassId = 2;
// Posted to the window for each drop, which it handles once the drag has ended.
inline constexpr UINT kDropMessage = WM_APP + 1;

inline std::size_t IndexOf(ControlId id) {
    return static_cast<std::size_t>(id);
}

}  // namespace kw::win32
