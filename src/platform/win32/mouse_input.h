#pragma once

#include "platform/mouse_input.h"

namespace kw::win32 {

// SendInput, the successor of mouse_event.
class Win32MouseInput final : public MouseInput {
public:
    void mouseEvent(std::uint32_t flags, std::int32_t dx, std::int32_t dy, std::uint32_t data,
                    std::uint32_t extraInfo) override;
};

}  // namespace kw::win32
