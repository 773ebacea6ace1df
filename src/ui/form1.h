// The main window's behaviour and the application state. The procedures are grouped by subsystem:
//   watch/watcher.cpp      the connection watcher (Timer1_Timer, Verbindung_Geaendert, aufzaehlen)
//   watch/launcher.cpp     launching and ending the programs (starten, warten, terminieren, prozessbeenden)
//   settings/settings.cpp  the stored program list and start delay (laden, speichern, Text1_KeyPress)
//   settings/adapter_choice.cpp the network adapters that count (mnu_adapter_Click, adapterLaden)
//   list/list_commands.cpp editing the program list (Command1..3, the list's events, dateiwaehlen)
//   ui/form1.cpp           start-up, the window's own commands and quitting
//   tray/tray_menu.cpp     the tray icon's callback and its menu
// The Win32 window turns each message into a call of the matching handler and does nothing else.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/adapter_dialog.h"
#include "platform/app_instance.h"
#include "platform/drop_data.h"
#include "platform/event_pump.h"
#include "platform/file_look_up.h"
#include "platform/form_view.h"
#include "platform/input_box.h"
#include "platform/network_adapters.h"
#include "platform/open_file_dialog.h"
#include "platform/os_version.h"
#include "platform/processes.h"
#include "platform/remote_access.h"
#include "platform/settings_store.h"
#include "platform/shell_tray.h"
#include "platform/user_locale.h"
#include "platform/window_access.h"
#include "tray/sys_tray_refresh.h"
#include "tray/trayicon.h"

namespace kw {

// 16-bit truth values.
inline constexpr std::int16_t True = -1;
inline constexpr std::int16_t False = 0;

// The watcher's timer `Timer1` ticks this often, in milliseconds, from start-up to the end.
inline constexpr std::uint32_t kTimer1Interval = 200;

// Window-show style of every launched program: shown minimised and activated (SW_SHOWMINIMIZED).
inline constexpr int kShowMinimized = 2;
// The system's error for a program that is not there (ERROR_FILE_NOT_FOUND).
inline constexpr std::uint32_t kErrorFileNotFound = 2;
// How long the ending waits, in all, for the ended processes to go before it sweeps the tray, in ms.
inline constexpr std::uint32_t kEndingWait = 1000;

// The program list holds at most this many entries; the settings store has a slot for each.
inline constexpr int kMaxEntries = 10;
// At most this many network adapters can be chosen; the settings store has a slot for each.
inline constexpr int kMaxAdapters = 10;

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
    ShellTray& tray;
    AppInstance& instance;
    OpenFileDialog& fileDialog;
    InputBox& input;
    NetworkAdapters& adapters;
    AdapterDialog& adapterDialog;
    FileLookUp& files;
};

class Form1 {
public:
    explicit Form1(const Platform& platform) : p_(platform) {}
    Form1(const Form1&) = delete;
    Form1& operator=(const Form1&) = delete;
    Form1(Form1&&) = delete;
    Form1& operator=(Form1&&) = delete;
    ~Form1() = default;

    // Start-up and quitting.
    void Form_Load();
    // Unloads the window, whatever the cause: Form_QueryUnload deletes the tray icon at once, the
    // program's open boxes and dialogs close as if cancelled, and the window goes. During a countdown the
    // countdown stops, nothing more is launched, and the window goes once the tick has returned. From
    // then on no handler writes a setting or shows anything.
    void Unload();
    void Form_QueryUnload();

    // The tray icon's callback (the window's mouse-move message: the icon's identifier, and its mouse
    // message where a real move has the client point) and its menu.
    void Form_MouseMove(std::uint32_t iconId, std::uint32_t code);
    void mnu_name_Click();
    void mnu_quit_Click();
    // The shell announces a new taskbar (it restarted): the icon must be added again.
    void Form_TaskbarCreated();
    // Adds the tray icon unless the shell holds it already; the watcher's tick calls it until it does.
    void symbolZeigen();

    // Handlers of the window's events.
    void Timer1_Timer();
    // The dial-up service announced a connection that came up or ended.
    void Verbindung_Geaendert();
    void Command4_Click();
    void Command5_Click();
    // "Netzwerkadapter..." in the window's system menu: the dialog that chooses the adapters that count.
    void mnu_adapter_Click();
    void Text1_KeyPress(std::int16_t& KeyAscii);

    // Editing the program list: add, remove, edit, and the list's own events. Button values are 1 left,
    // 2 right, 4 middle; X and Y in twips within the list.
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void filelist_DblClick();
    void filelist_KeyUp(std::int16_t KeyCode);
    void filelist_MouseUp(std::int16_t Button, float X, float Y);
    void filelist_OLEDragDrop(const DropData& Data);

    // The program list in the settings store: read once at start-up, written after every change.
    void laden();
    void speichern();

    std::int16_t gestartet = False;
    // The processes of the last launch, slot i for list entry i, with one slot more than the list had
    // entries; a slot stays empty where a launch failed or was skipped. Empty before the first launch and
    // after a launch over an empty list. Ending goes through these handles, never through a bare ID.
    std::vector<std::unique_ptr<LaunchedProcess>> pids;
    std::int16_t schlafzeit = 0;
    std::unique_ptr<clsSysTrayRefresh> trayrefresh;
    // The network adapters that count as connections while they are up, by name; read at start-up.
    std::vector<std::string> adapter;
    TrayIcon trayicon;  // the record `nid` of the tray icon
    // Lives as long as the window, so each use of the dialog starts with the file chosen last.
    CommonDialog dlgOpenFile;

private:
    // Handles the pending window events; a request to end the program met there unloads the window.
    void doEvents();
    void popupMenu();

    // Connection watcher: the dial-up count, and it with the chosen adapters that are up.
    std::int32_t aufzaehlen();
    std::int32_t zaehlen();
    // Writes a status label, unless it already shows the text.
    void beschriften(ControlId label, const std::string& text);

    // Launcher and terminator.
    void starten();
    std::unique_ptr<LaunchedProcess> programmStarten(const std::string& entry, const SystemFolders& folders,
                                                     std::uint32_t& error);
    void warten(std::int16_t seconds);
    // Returns how many of the programs still ran (or had processes of theirs still running).
    int terminieren();
    bool prozessbeenden(LaunchedProcess* process);
    // A notification on the tray icon.
    void melden(const std::string& text, BalloonIcon icon);

    // Settings.
    void ladeSchlafzeit();
    std::optional<std::int16_t> zahl(const std::string& text);
    void adapterLaden();
    void adapterSpeichern(const std::vector<std::string>& names);
    // Asks the system to announce interface changes, once, as soon as an adapter is chosen.
    void adapterBeobachten();

    // Program list editing.
    std::string dateiwaehlen();
    // The list entry for a dropped file.
    std::string eintragFuer(const std::string& path);
    // The Add button is enabled while the list has room for one more entry.
    void updateAddButton();

    Platform p_;
    bool inTick_ = false;
    bool unloading_ = false;
    bool menuOpen_ = false;
    bool adapterBeobachtet_ = false;
    // The thread's wake handler runs the watcher: the services may announce their changes.
    bool weckbar_ = false;
    // The connection count's buffer lives from tick to tick, so that an idle tick does not zero 103 KB
    // five times a second.
    std::unique_ptr<RasConnA[]> verbindungen_;
    // The texts of `aktiv` and `status` as last written. Each write costs a trip to the window system
    // and a repaint, and an idle tick would otherwise write the same count again and again.
    std::string aktivShown_;
    std::string statusShown_;
};

}  // namespace kw
