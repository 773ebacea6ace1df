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
    explicit Owned(Handle handle) : handle_(handle) {}
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;
    Owned(Owned&& other) noexcept : handle_(other.release()) {}
    Owned& operator=(Owned&& other) noexcept {
        if (this != &other) {
            reset(other.release());
        }
        return *this;
    }
    ~Owned() { reset(nullptr); }

    void reset(Handle handle) {
        if (handle_ != nullptr) {
            Release(handle_);
        }
        handle_ = handle;
    }
    // Gives the handle up without releasing it.
    Handle release() {
        const Handle handle = handle_;
        handle_ = nullptr;
        return handle;
    }
    // For a call that hands a new handle out through a pointer; whatever was held is released first.
    Handle* receive() {
        reset(nullptr);
        return &handle_;
    }
    Handle get() const { return handle_; }
    bool valid() const { return handle_ != nullptr; }

private:
    Handle handle_ = nullptr;
};

// A process, thread, event, mutex, token or file; a file that failed to open (INVALID_HANDLE_VALUE) is
// held as null.
using Kernel = Owned<HANDLE, CloseHandle>;

}  // namespace kw::win32
