// Turning the main window's messages, and those of its list box and text box, into calls of Form1's
// handlers.
#include "platform/win32/main_window.h"

#include <commctrl.h>

#include "platform/win32/control_ids.h"
#include "platform/win32/main_window_internal.h"
#include "ui/form1.h"

namespace kw::win32 {
namespace {

// Hands a control's message on to its own procedure once our handler has run. The handler may have ended
// the program meanwhile (a message box whose loop ran "Beenden" from the tray): the control is destroyed
// then, and nothing may run on it any more.
LRESULT PassOn(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
    return IsWindow(control) ? DefSubclassProc(control, message, wParam, lParam) : 0;
}

}  // namespace

LRESULT CALLBACK MainWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->hwnd_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
        self->controls_.fill(nullptr);
        self->focus_ = nullptr;
        return DefWindowProcW(window, message, wParam, lParam);
    }
    return self->handleMessage(message, wParam, lParam);
}

LRESULT MainWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == taskbarCreated_ && taskbarCreated_ != 0) {
        if (form_ != nullptr) {
            form_->Form_TaskbarCreated();
        }
        return 0;
    }
    switch (message) {
        case WM_TIMER:
            if (wParam == kTimerId && form_ != nullptr) {
                form_->Timer1_Timer();
            }
            return 0;
        case WM_COMMAND: onCommand(LOWORD(wParam), HIWORD(wParam)); return 0;
        case WM_SYSCOMMAND:
            // The low four bits are the system's own.
            if ((wParam & 0xFFF0) == IDM_ADAPTER) {
                if (form_ != nullptr) {
                    form_->mnu_adapter_Click();
                }
                return 0;
            }
            break;
        case WM_ACTIVATE:
            if (LOWORD(wParam) == WA_INACTIVE) {
                HWND focused = GetFocus();
                if (focused != nullptr && IsChild(hwnd_, focused)) {
                    focus_ = focused;
                }
            }
            break;
        case WM_SETFOCUS:
            // A plain window, unlike a dialog, would keep the focus itself and leave the keyboard dead.
            if (focus_ != nullptr && IsWindow(focus_)) {
                SetFocus(focus_);
            }
            return 0;
        case WM_MOUSEMOVE:
            // Also the tray icon's callback: its identifier in wParam, the mouse message in lParam.
            if (form_ != nullptr) {
                form_->Form_MouseMove(static_cast<std::uint32_t>(wParam), static_cast<std::uint32_t>(lParam));
            }
            return 0;
        case WM_CLOSE:
            // Form1 decides when the window goes (not in the middle of a tick) and calls unload().
            if (form_ != nullptr) {
                form_->Unload();
            }
            return 0;
        case WM_QUERYENDSESSION: return TRUE;
        case WM_ENDSESSION:
            // The process may be ended as soon as this returns: the unload deletes the icon before that.
            if (wParam != FALSE && form_ != nullptr) {
                form_->Unload();
            }
            return 0;
        case kDropMessage:
            if (!drops_.empty()) {
                const DropData dropped = std::move(drops_.front());
                drops_.pop_front();
                if (form_ != nullptr) {
                    form_->filelist_OLEDragDrop(dropped);
                }
            }
            return 0;
        case WM_DESTROY:
            // The list box is still there; its registration must go before it does.
            RevokeDragDrop(control(ControlId::filelist));
            KillTimer(hwnd_, kTimerId);
            PostQuitMessage(0);
            return 0;
        default: break;
    }
    return DefWindowProcW(hwnd_, message, wParam, lParam);
}

void MainWindow::onCommand(WORD id, WORD code) {
    // IDOK and IDCANCEL, which the dialog manager sends for Enter and Escape, land here and do nothing:
    // the window has no default and no cancel button.
    if (form_ == nullptr) {
        return;
    }
    if (id == IDC_FILELIST && code == LBN_DBLCLK) {
        form_->filelist_DblClick();
        return;
    }
    if (code != BN_CLICKED) {
        return;
    }
    if (id == IDC_COMMAND1) {
        form_->Command1_Click();
    } else if (id == IDC_COMMAND2) {
        form_->Command2_Click();
    } else if (id == IDC_COMMAND3) {
        form_->Command3_Click();
    } else if (id == IDC_COMMAND4) {
        form_->Command4_Click();
    } else if (id == IDC_COMMAND5) {
        form_->Command5_Click();
    }
}

LRESULT CALLBACK MainWindow::Text1Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                       DWORD_PTR self) {
    auto* owner = reinterpret_cast<MainWindow*>(self);
    switch (message) {
        case WM_GETDLGCODE: {
            // Enter belongs to the text box (it stores the delay), so the dialog manager must not take it.
            LRESULT code = DefSubclassProc(window, message, wParam, lParam);
            const auto* pending = reinterpret_cast<const MSG*>(lParam);
            if (pending != nullptr && pending->wParam == VK_RETURN &&
                (pending->message == WM_KEYDOWN || pending->message == WM_CHAR)) {
                code |= DLGC_WANTALLKEYS;
            }
            return code;
        }
        case WM_CHAR:
            if (owner->form_ != nullptr) {
                auto key = static_cast<std::int16_t>(wParam);
                owner->form_->Text1_KeyPress(key);
            }
            return PassOn(window, message, wParam, lParam);
        case WM_NCDESTROY: RemoveWindowSubclass(window, Text1Proc, kText1SubclassId); break;
        default: break;
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

LRESULT CALLBACK MainWindow::FilelistProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                          DWORD_PTR self) {
    auto* owner = reinterpret_cast<MainWindow*>(self);
    switch (message) {
        case WM_KEYUP:
            if (owner->form_ != nullptr) {
                owner->form_->filelist_KeyUp(static_cast<std::int16_t>(wParam));
            }
            break;
        case WM_LBUTTONUP: owner->onListMouseUp(vbLeftButton, lParam); break;
        case WM_RBUTTONUP: owner->onListMouseUp(vbRightButton, lParam); break;
        case WM_MBUTTONUP: owner->onListMouseUp(vbMiddleButton, lParam); break;
        case WM_NCDESTROY: RemoveWindowSubclass(window, FilelistProc, kFilelistSubclassId); break;
        default: break;
    }
    return PassOn(window, message, wParam, lParam);
}

// The handler takes the position in twips.
void MainWindow::onListMouseUp(std::int16_t button, LPARAM lParam) {
    if (form_ == nullptr) {
        return;
    }
    const float x = static_cast<float>(static_cast<short>(LOWORD(lParam))) * 1440.0f / static_cast<float>(dpiX_);
    const float y = static_cast<float>(static_cast<short>(HIWORD(lParam))) * 1440.0f / static_cast<float>(dpiY_);
    form_->filelist_MouseUp(button, x, y);
}

}  // namespace kw::win32
