// Handles: kw::Hwnd is the 32-bit value of a window handle, as the records hand it to the system; Owned
// releases a handle of its owner.
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

// A handle that its owner holds and releases with `Release` when it goes or is replaced.
template <typename Handle, auto Release>
class Owned {
public:
    Owned() = default;
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;
    ~Owned() { reset(nullptr); }
    void reset(Handle handle) {
        if (handle_ != nullptr) {
            Release(handle_);
        }
        handle_ = handle;
    }
    Handle get() const { return handle_; }

private:
    Handle handle_ = nullptr;
};

}  // namespace kw::win32
