// The tray icon's callback and its pop-up menu.
#include "ui/form1.h"

namespace kw {

// The callback arrives as the window's own mouse-move message, with the icon's identifier first. A real
// movement of the pointer over the window carries the button state there instead, and its client point
// where the callback has its code; with the left button held the state is 1 as well, and a move over
// the point (516, 0) looks like a right click on the icon. Only on a real move does the pointer stand at
// the point that the message names.
void Form1::Form_MouseMove(std::uint32_t iconId, std::uint32_t code) {
    if (iconId != TrayIcon::kId || unloading_) {
        return;
    }
    if (code != TrayIcon::kLeftButtonDown && code != TrayIcon::kRightButtonDown && code != TrayIcon::kRightButtonUp) {
        return;
    }
    // As a point, each of these codes is (code, 0).
    if (p_.view.pointerAt(static_cast<std::int32_t>(code), 0)) {
        return;
    }
    if (code == TrayIcon::kLeftButtonDown) {
        mnu_name_Click();
    } else {
        popupMenu();
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
    if (unloading_) {
        return;
    }
    p_.view.setWindowState(vbNormal);
    p_.view.show();
}

void Form1::mnu_quit_Click() {
    Unload();
}

// Started at logon, the program can come before the taskbar, or find Explorer too busy to answer in time:
// the add fails then, or reports a failure although the shell took the icon. Until the shell holds it,
// every tick asks again, and a modify that succeeds shows that an add took it after all. Once it is there
// this asks the shell nothing.
void Form1::symbolZeigen() {
    if (trayicon.shown || !trayicon.filled() || unloading_) {
        return;
    }
    trayicon.shown =
        p_.tray.notifyIcon(kNotifyIconAdd, trayicon.nid) || p_.tray.notifyIcon(kNotifyIconModify, trayicon.nid);
}

// Without this, a restart of the shell would leave the program running hidden and out of reach. The new
// taskbar knows no icon; should it not take it at once, the ticks add it later.
void Form1::Form_TaskbarCreated() {
    trayicon.shown = false;
    symbolZeigen();
}

}  // namespace kw
