// A Form1 over fakes of every platform facility, with a Windows XP shell whose icon window is small.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "app/program_info.h"
#include "fakes/fake_app_instance.h"
#include "fakes/fake_event_pump.h"
#include "fakes/fake_form_view.h"
#include "fakes/fake_list_dialogs.h"
#include "fakes/fake_network_adapters.h"
#include "fakes/fake_os_version.h"
#include "fakes/fake_processes.h"
#include "fakes/fake_remote_access.h"
#include "fakes/fake_settings_store.h"
#include "fakes/fake_shell_tray.h"
#include "fakes/fake_user_locale.h"
#include "fakes/fake_window_access.h"
#include "shown_texts.h"
#include "ui/form1.h"

namespace kw::test {

struct FormRig {
    FormRig() {
        view.clock = [this] { return events.now(); };
        processes.clock = [this] { return events.now(); };
        processes.block = [this](std::uint32_t milliseconds) { events.block(milliseconds); };
        os.set(2, 5, 1);
        const Hwnd taskbar = windows.add("Shell_TrayWnd");
        const Hwnd notify = windows.add("TrayNotifyWnd", taskbar);
        const Hwnd pager = windows.add("SysPager", notify);
        trayToolbar = windows.add("ToolbarWindow32", pager, Rect{0, 0, 4, 20});
        remote.pump = &events;
        adapters.pump = &events;
        remote.journal = &journal;
        view.journal = &journal;
        store.journal = &journal;
        tray.journal = &journal;
        instance.journal = &journal;
    }

    // Start-up with this start delay, these stored program entries and these stored adapter slots.
    void start(const std::string& storedDelay, const std::vector<std::string>& entries,
               const std::vector<std::string>& adapterSlots = {}) {
        store.put(program::kTitle, "Schlafen", "schlafen", storedDelay);
        for (std::size_t i = 0; i < entries.size(); ++i) {
            store.put(program::kTitle, "Files", "datei" + std::to_string(i), entries[i]);
        }
        for (std::size_t i = 0; i < adapterSlots.size(); ++i) {
            store.put(program::kTitle, "Adapter", "adapter" + std::to_string(i), adapterSlots[i]);
        }
        form.Form_Load();
    }

    // The ten stored adapter slots, "" for a slot never written.
    std::vector<std::string> adapterSlots() const {
        std::vector<std::string> slots;
        for (int i = 0; i < 10; ++i) {
            slots.push_back(store.get(program::kTitle, "Adapter", "adapter" + std::to_string(i)).value_or(""));
        }
        return slots;
    }

    // One tick of the window's timer while `n` dial-up connections are up.
    void tick(std::uint32_t n) {
        remote.up(n);
        form.Timer1_Timer();
    }

    std::vector<std::string> statusTexts() const { return view.textsSet(ControlId::status); }

    FakeEventPump events;
    FakeFormView view;
    FakeRemoteAccess remote;
    FakeProcesses processes;
    FakeSettingsStore store;
    FakeUserLocale locale;
    FakeWindowAccess windows;
    FakeOsVersion os;
    FakeShellTray tray;
    FakeAppInstance instance;
    FakeOpenFileDialog fileDialog;
    FakeInputBox input;
    FakeNetworkAdapters adapters;
    FakeAdapterDialog adapterDialog;
    FakeFileLookUp files;
    // The calls of start-up, the tray and the unload, in order, across the fakes.
    std::vector<std::string> journal;
    Form1 form{Platform{view, events, remote, processes, store, locale, windows, os, tray, instance, fileDialog, input,
                        adapters, adapterDialog, files}};
    Hwnd trayToolbar = 0;
};

class FormFixture : public ::testing::Test, public FormRig {};

// The process IDs of `pids`, slot for slot, 0 for an empty slot.
inline std::vector<std::int32_t> PidsOf(const Form1& form) {
    std::vector<std::int32_t> ids;
    for (const auto& process : form.pids) {
        ids.push_back(process ? process->pid() : 0);
    }
    return ids;
}

}  // namespace kw::test
