// The program's entry: the real platform under the portable Form1. No command line, no environment.
#include <windows.h>

#include "platform/win32/main_window.h"
#include "platform/win32/message_pump.h"
#include "platform/win32/os_version.h"
#include "platform/win32/processes.h"
#include "platform/win32/ras_remote_access.h"
#include "platform/win32/registry_store.h"
#include "platform/win32/user_locale.h"
#include "platform/win32/window_access.h"
#include "ui/form1.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    kw::win32::MessagePump pump;
    kw::win32::MainWindow window(instance);
    kw::win32::RasRemoteAccess remoteAccess;
    kw::win32::Win32Processes processes;
    kw::win32::RegistryStore store;
    kw::win32::Win32UserLocale locale;
    kw::win32::Win32WindowAccess windows;
    kw::win32::Win32OsVersion os;

    kw::Form1 form(kw::Platform{window, pump, remoteAccess, processes, store, locale, windows, os});
    if (!window.create(form)) {
        return 1;
    }
    pump.setDialog(window.handle());
    form.Form_Load();
    // Until the tray icon exists the window is the only way in, so it starts shown.
    window.showNormal();
    return pump.run();
}
