// Start-up, the window's own commands and quitting.
#include "ui/form1.h"

#include "app/program_info.h"

namespace kw {

void Form1::Form_Load() {
    trayrefresh = std::make_unique<clsSysTrayRefresh>(p_.windows, p_.os);
    p_.view.setCaption(program::TitleWithVersion());
    ladeSchlafzeit();
    gestartet = False;
    laden();
}

void Form1::Unload() {
    if (unloading_) {
        return;
    }
    unloading_ = true;
    if (!inTick_) {
        p_.view.unload();
    }
}

void Form1::Command4_Click() {
    p_.view.setWindowState(vbMinimized);
}

void Form1::Command5_Click() {
    const std::string text = program::TitleWithVersion() + "\r\n\r\naktuelle Versionen gibts bei\r\n" +
                             program::kWebAddress + "\r\n\r\n" + program::kNotice + "\r\n" + program::kContact;
    p_.view.messageBox(text, vbInformation, std::string("Info über ") + program::kTitle);
}

}  // namespace kw
