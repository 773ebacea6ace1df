// The main window's behaviour and the application state. The procedures are grouped by subsystem:
//   watch/watcher.cpp      the connection watcher (Timer1_Timer, aufzaehlen)
//   watch/launcher.cpp     launching and ending the programs (starten, warten, terminieren, prozessbeenden)
//   settings/settings.cpp  the stored program list and start delay (laden, speichern, Text1_KeyPress)
//   ui/form1.cpp           start-up, the window's own commands and quitting
// The Win32 window turns each message into a call of the matching handler and does nothing else.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/event_pump.h"
#include "platform/form_view.h"
#include "platform/os_version.h"
#include "platform/processes.h"
#include "platform/remote_access.h"
#include "platform/settings_store.h"
#include "platform/user_locale.h"
#include "platform/window_access.h"
#include "tray/sys_tray_refresh.h"

namespace kw {

// 16-bit truth values.
inline constexpr std::int16_t True = -1;
inline constexpr std::int16_t False = 0;

// Window-show style of every launched program: shown minimised and activated (SW_SHOWMINIMIZED).
inline constexpr int kShowMinimized = 2;

// The platform facilities that Form1 uses.
struct Platform {
    FormView& view;
    EventPump& events;
    RemoteAccess& remoteAccess;
    Processes& processes;
    SettingsStore& store;
    UserLocale& locale;
    WindowAccess& windows;
    OsVersion& os;
};

class Form1 {
public:
    explicit Form1(const Platform& platform) : p_(platform) {}
    Form1(const Form1&) = delete;
    Form1& operator=(const Form1&) = delete;

    // Start-up and quitting.
    void Form_Load();
    // Unloads the window (the window's Close command). During a countdown the countdown stops,
    // nothing more is launched, and the window goes once the tick has returned.
    void Unload();
    bool unloading() const { return unloading_; }

    // Handlers of the window's events.
    void Timer1_Timer();
    void Command4_Click();
    void Command5_Click();
    void Text1_KeyPress(std::int16_t& KeyAscii);

    // The program list in the settings store: read once at start-up, written after every change.
    void laden();
    void speichern();

    // Application state.
    std::int16_t gestartet = False;
    std::vector<std::int32_t> pids;
    std::int16_t schlafzeit = 0;
    std::unique_ptr<clsSysTrayRefresh> trayrefresh;

private:
    // Connection watcher.
    std::int32_t aufzaehlen();

    // Launcher and terminator.
    void starten();
    void warten(std::int16_t seconds);
    void terminieren();
    void prozessbeenden(LaunchedProcess* process);

    // Settings.
    void ladeSchlafzeit();
    std::optional<std::int16_t> zahl(const std::string& text);

    Platform p_;
    // The processes behind `pids`, slot for slot (empty where a launch failed or was skipped).
    std::vector<std::unique_ptr<LaunchedProcess>> launched_;
    bool inTick_ = false;
    bool unloading_ = false;
};

}  // namespace kw
