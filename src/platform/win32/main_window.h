// The main window: the Win32 window behind Form1. It turns messages into calls of Form1's handlers and
// carries out what Form1 asks of its view; it decides nothing itself. Three files: main_window.cpp makes
// and lays out the window, main_window_messages.cpp turns messages into handler calls, and
// main_window_view.cpp is the FormView that Form1 works through.
#pragma once

#include <windows.h>

#include <array>
#include <deque>

#include "platform/form_view.h"
#include "platform/win32/drop_target.h"
#include "platform/win32/handles.h"

namespace kw {
class Form1;
}

namespace kw::win32 {

inline void DeleteFont(HFONT font) {
    DeleteObject(font);
}
using Font = Owned<HFONT, DeleteFont>;   // the dialog font of the window
using Menu = Owned<HMENU, DestroyMenu>;  // the tray menu
using Icon = Owned<HICON, DestroyIcon>;  // an image of the program's icon at one size

class MainWindow final : public FormView {
public:
    explicit MainWindow(HINSTANCE instance);
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;
    ~MainWindow() override;

    // Creates the window, hidden, with its controls and the tray menu. Form1 must exist first because the
    // window's messages go to it; Form1 in turn needs this object as its view, hence the separate step.
    bool create(Form1& form);
    HWND handle() const { return hwnd_; }

    Hwnd hwnd() override;
    std::uint32_t icon() override;
    void setCaption(const std::string& text) override;
    void setText(ControlId control, const std::string& text) override;
    std::string text(ControlId control) override;
    void setEnabled(ControlId control, bool enabled) override;
    int listCount() override;
    std::string listItem(int index) override;
    void listAdd(const std::string& text) override;
    int listIndex() override;
    void listRemove(int index) override;
    void listInsert(int index, const std::string& text) override;
    int listItemAt(float x, float y) override;
    void listSelect(int index) override;
    void listClick(float x, float y) override;
    WindowState windowState() override;
    void setWindowState(WindowState state) override;
    void show() override;
    void hide() override;
    void unload() override;
    void closeDialogs() override;
    bool pointerAt(std::int32_t x, std::int32_t y) override;
    bool startTimer(std::uint32_t milliseconds) override;
    MenuItem popupMenu() override;
    void messageBox(const std::string& text, int style, const std::string& title) override;

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK Text1Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                      DWORD_PTR self);
    static LRESULT CALLBACK FilelistProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                         DWORD_PTR self);
    void onListMouseUp(std::int16_t button, LPARAM lParam);
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void onCommand(WORD id, WORD code);
    bool registerClass();
    void createControls(int dpiX, int dpiY);
    void createMenu();
    HWND control(ControlId id) const;
    // A point of the list in pixels, from the twips that the list's mouse events give Form1.
    LPARAM listPoint(float x, float y) const;

    HINSTANCE instance_;
    HWND hwnd_ = nullptr;
    Form1* form_ = nullptr;
    std::array<HWND, kControlCount> controls_{};
    Font font_;
    Menu menu_;
    // Each size loaded as an image of its own: a shared icon is the first image of the resource that the
    // system cached, whatever size was asked. The small one is also the tray icon.
    Icon largeIcon_;
    Icon smallIcon_;
    // Sent by the shell to every top-level window when the taskbar is (re)created.
    UINT taskbarCreated_ = 0;
    // Minimised while hidden: remembered, not shown, as the window would otherwise appear to do it.
    bool minimizedHidden_ = false;
    // The control that had the focus when the window was last deactivated; it gets it back.
    HWND focus_ = nullptr;
    int dpiX_ = 96;
    int dpiY_ = 96;
    bool oleInitialized_ = false;
    ListDropTarget dropTarget_;
    // Drops wait here for the window to handle them after the drag has ended: a message box shown
    // inside the drop would hold the source (Explorer) until the user closes it.
    std::deque<DropData> drops_;
};

}  // namespace kw::win32
