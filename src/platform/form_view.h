#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/records.h"

namespace kw {

// The controls of the main window.
enum class ControlId {
    Label1,
    filelist,
    Command1,
    Command2,
    Command3,
    Command5,
    Label2,
    Text1,
    aktiv,
    Command4,
    status,
};
inline constexpr std::size_t kControlCount = static_cast<std::size_t>(ControlId::status) + 1;

// The window has no maximise box, so it is either normal or minimised.
enum WindowState : int { vbNormal = 0, vbMinimized = 1 };

// The items of the tray pop-up menu.
enum class MenuItem { none, mnu_name, mnu_quit };

// Key codes (VK_RETURN, which is also Enter's character code, and VK_DELETE), and the mouse buttons of the
// list's mouse events.
inline constexpr std::int16_t vbKeyReturn = 13;
inline constexpr std::int16_t vbKeyDelete = 46;
inline constexpr std::int16_t vbLeftButton = 1;
inline constexpr std::int16_t vbRightButton = 2;
inline constexpr std::int16_t vbMiddleButton = 4;

// Message box styles.
inline constexpr int vbOKOnly = 0;
inline constexpr int vbCritical = 16;
inline constexpr int vbExclamation = 48;
inline constexpr int vbInformation = 64;

// The window toolkit as the main window's behaviour sees it: one top-level window with its controls,
// created with their design captions.
class FormView {
public:
    virtual ~FormView() = default;

    // The window as the shell knows it, and the handle of its small icon.
    virtual Hwnd hwnd() = 0;
    virtual std::uint32_t icon() = 0;

    virtual void setCaption(const std::string& text) = 0;
    virtual void setText(ControlId control, const std::string& text) = 0;
    virtual std::string text(ControlId control) = 0;
    virtual void setEnabled(ControlId control, bool enabled) = 0;

    // The list box.
    virtual int listCount() = 0;
    virtual std::string listItem(int index) = 0;
    virtual void listAdd(const std::string& text) = 0;
    // The index of the selected entry, or -1 when none is selected. At most one entry is selected.
    virtual int listIndex() = 0;
    // The entries behind move up by one; removing the selected entry leaves none selected.
    virtual void listRemove(int index) = 0;
    // The entries from `index` on move down by one, the selection with them.
    virtual void listInsert(int index, const std::string& text) = 0;
    // The entry under a point of the list (twips within the list, as its mouse events give them), as the
    // list box itself finds it; -1 where no entry is (below the last one).
    virtual int listItemAt(float x, float y) = 0;
    // Selects the entry at `index`, as a click on it would.
    virtual void listSelect(int index) = 0;
    // Whatever the list's own left click does at that point, done by the list box itself.
    virtual void listClick(float x, float y) = 0;

    virtual WindowState windowState() = 0;
    virtual void setWindowState(WindowState state) = 0;
    virtual void show() = 0;
    virtual void hide() = 0;
    // Destroys the window; the program ends once it is gone.
    virtual void unload() = 0;
    // Closes the program's open message boxes and dialogs as if the user cancelled them: each returns to
    // the handler that opened it, which can then end.
    virtual void closeDialogs() = 0;
    // True when the pointer stood at this point of the client area (pixels) as the message now being
    // handled was sent.
    virtual bool pointerAt(std::int32_t x, std::int32_t y) = 0;

    // Starts the window's timer; its ticks go to Timer1_Timer. False when the system refuses.
    virtual bool startTimer(std::uint32_t milliseconds) = 0;

    // Shows the tray menu at the pointer and returns when it has closed, with the item chosen.
    virtual MenuItem popupMenu() = 0;

    // A modal message box with one OK button; an empty title shows the application title.
    virtual void messageBox(const std::string& text, int style, const std::string& title) = 0;
};

}  // namespace kw
