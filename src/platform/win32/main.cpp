// The program's entry: the real platform under the portable Form1. No command line, no environment.
#include <windows.h>

#include "platform/win32/adapter_dialog.h"
#include "platform/win32/app_instance.h"
#include "platform/win32/ip_network_adapters.h"
#include "platform/win32/list_dialogs.h"
#include "platform/win32/main_window.h"
#include "platform/win32/message_pump.h"
#include "platform/win32/os_version.h"
#include "platform/win32/processes.h"
#include "platform/win32/ras_remote_access.h"
#include "platform/win32/registry_store.h"
#include "platform/win32/shell_tray.h"
#include "platform/win32/system_library.h"
#include "platform/win32/user_locale.h"
#include "platform/win32/window_access.h"
#include "ui/form1.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    kw::win32::LoadLibrariesFromSystemDirectoryOnly();
    kw::win32::MessagePump pump;
    kw::win32::MainWindow window(instance);
    kw::win32::RasRemoteAccess remoteAccess(pump);
    kw::win32::Win32Processes processes;
    kw::win32::Win32FileLookUp files;
    kw::win32::RegistryStore store;
    kw::win32::Win32UserLocale locale;
    kw::win32::Win32WindowAccess windows;
    kw::win32::Win32OsVersion os;
    kw::win32::Win32ShellTray tray;
    kw::win32::Win32AppInstance single;
    kw::win32::Win32OpenFileDialog fileDialog(window);
    kw::win32::Win32InputBox input(instance, window);
    kw::win32::IpNetworkAdapters adapters(pump);
    kw::win32::Win32AdapterDialog adapterDialog(instance, window);

    kw::Form1 form(kw::Platform{window, pump, remoteAccess, processes, store, locale, windows, os, tray, single,
                                fileDialog, input, adapters, adapterDialog, files});
    if (!window.create(form)) {
        return 1;
    }
    pump.setDialog(window.handle());
    // Starts hidden in the notification area; from here on the program runs on events alone.
    form.Form_Load();
    const int exitCode = pump.run();
    // A WM_QUIT from outside ends the loop without an unload: the icon still has to go. Either way the
    // window goes here, while the Form1 that its messages reach still exists.
    form.Unload();
    window.unload();
    return exitCode;
}
