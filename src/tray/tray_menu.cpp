// The tray icon's callback and its pop-up menu.
#include "ui/form1.h"

namespace kw {
namespace {

constexpr std::uint32_t kLeftButtonDown = 0x201;   // WM_LBUTTONDOWN
constexpr std::uint32_t kRightButtonDown = 0x204;  // WM_RBUTTONDOWN
constexpr std::uint32_t kRightButtonUp = 0x205;    // WM_RBUTTONUP

}  // namespace

// The callback arrives as the window's own mouse-move message, with the icon's identifier first. A real
// movement of the pointer over the window carries the button state there instead, so the identifier
// tells the two apart.
void Form1::Form_MouseMove(std::uint32_t iconId, std::uint32_t code) {
    if (iconId != TrayIcon::kId) {
        return;
    }
    switch (code) {
        case kLeftButtonDown: mnu_name_Click(); break;
        case kRightButtonDown:
        case kRightButtonUp: popupMenu(); break;
        default: break;
    }
}

// The menu is modal: the button-up that follows a button-down, or any other click on the icon, arrives
// while it is open and must not open a second one.
void Form1::popupMenu() {
    if (menuOpen_) {
        return;
    }
    menuOpen_ = true;
    const MenuItem chosen = p_.view.popupMenu();
    menuOpen_ = false;
    if (chosen == MenuItem::mnu_name) {
        mnu_name_Click();
    } else if (chosen == MenuItem::mnu_quit) {
        mnu_quit_Click();
    }
}

void Form1::mnu_name_Click() {
    p_.view.setWindowState(vbNormal);
    p_.view.show();
}

void Form1::mnu_quit_Click() {
    Unload();
}

// Without this, a restart of the shell would leave the program running hidden and out of reach.
void Form1::Form_TaskbarCreated() {
    if (trayicon.filled() && !unloading_) {
        p_.tray.notifyIcon(kNotifyIconAdd, trayicon.nid);
    }
}

}  // namespace kw
