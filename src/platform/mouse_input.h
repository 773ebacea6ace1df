#pragma once

#include <cstdint>

namespace kw {

inline constexpr std::uint32_t kMouseLeftDown = 0x2;  // MOUSEEVENTF_LEFTDOWN
inline constexpr std::uint32_t kMouseLeftUp = 0x4;    // MOUSEEVENTF_LEFTUP

// Synthetic mouse input, as if the user's mouse made it (mouse_event). Without MOUSEEVENTF_MOVE the
// press or release happens where the pointer is and dx, dy are not used.
class MouseInput {
public:
    virtual ~MouseInput() = default;
    virtual void mouseEvent(std::uint32_t flags, std::int32_t dx, std::int32_t dy, std::uint32_t data,
                            std::uint32_t extraInfo) = 0;
};

}  // namespace kw
