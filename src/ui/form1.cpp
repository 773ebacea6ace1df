// Start-up, the window's own commands and quitting.
#include "ui/form1.h"

#include "app/program_info.h"

namespace kw {

void Form1::Form_Load() {
    if (p_.instance.anotherCopyRuns()) {
        p_.view.messageBox("Kopplungswacht ist bereits aktiv\r\nSie finden mich im Systemtray neben der Uhr",
                           vbCritical, "Bereits aktiv...");
        p_.instance.endProcess();
        return;
    }
    trayrefresh = std::make_unique<clsSysTrayRefresh>(p_.windows, p_.os);
    p_.view.setWindowState(vbMinimized);
    p_.view.hide();
    p_.view.setCaption(program::TitleWithVersion());
    ladeSchlafzeit();
    gestartet = False;
    laden();
    adapterLaden();
    trayicon.fill(p_.view.hwnd(), p_.view.icon());
    symbolZeigen();

    // The watcher is the program's reason to run: without its timer the program would sit in the tray
    // and never see a connection.
    if (!p_.view.startTimer(kTimer1Interval)) {
        p_.view.messageBox(
            "Kopplungswacht kann die DFÜ-Verbindungen nicht überwachen, weil Windows keinen Zeitgeber bereitstellt."
            "\r\nDas Programm wird beendet.",
            vbCritical, program::kTitle);
        Unload();
        return;
    }
    // Beside the timer, the service itself announces each connection that comes up or ends, so that the
    // programs end as soon as the last one has gone. Where it cannot (an older system, Wine's own
    // service), the timer watches alone, and that is not worth a message. Every service wakes the watcher
    // through the thread's one wake handler, registered here once.
    weckbar_ = p_.events.onWake([this] { Verbindung_Geaendert(); });
    if (weckbar_) {
        p_.remoteAccess.notifyConnections();
    }
    adapterBeobachten();
}

void Form1::Unload() {
    if (unloading_) {
        return;
    }
    unloading_ = true;
    Form_QueryUnload();
    // A handler below this one may wait for a box or dialog it opened (a countdown's events met a click
    // on "Info"): the window goes only when the tick returns, and the tick only when the box is closed.
    p_.view.closeDialogs();
    if (!inTick_) {
        p_.view.unload();
    }
}

// Every cause of the unload is treated alike, and it is never cancelled. The icon goes first, so that it
// is gone even when the session ends the process right after this.
void Form1::Form_QueryUnload() {
    if (trayicon.filled()) {
        p_.tray.notifyIcon(kNotifyIconDelete, trayicon.nid);
    }
}

void Form1::doEvents() {
    p_.events.doEvents();
    if (p_.events.quitRequested()) {
        Unload();
    }
}

// Clicks queued behind "Beenden" in the same round of events find the window going: they do nothing.
void Form1::Command4_Click() {
    if (unloading_) {
        return;
    }
    p_.view.setWindowState(vbMinimized);
}

void Form1::Command5_Click() {
    if (unloading_) {
        return;
    }
    const std::string text = program::TitleWithVersion() + "\r\n\r\naktuelle Versionen gibts bei\r\n" +
                             program::kWebAddress + "\r\n\r\n" + program::kNotice + "\r\n" + program::kContact;
    p_.view.messageBox(text, vbInformation, std::string("Info über ") + program::kTitle);
}

}  // namespace kw
