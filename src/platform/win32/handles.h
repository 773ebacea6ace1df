// kw::Hwnd is the 32-bit value of a window handle, as the records hand it to the system.
#pragma once

#include <windows.h>

#include <cstdint>

#include "platform/records.h"

namespace kw::win32 {

inline Hwnd ToHwnd(HWND window) {
    return static_cast<Hwnd>(reinterpret_cast<std::uintptr_t>(window));
}
inline HWND FromHwnd(Hwnd window) {
    return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(window));
}

}  // namespace kw::win32
