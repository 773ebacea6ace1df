// Editing the program list: add through the open-file dialog, remove, edit in an input box, drops.
// Every change is saved at once; the list never holds more than ten entries.
// The dialog, the input box and the message boxes handle the window's events while they are open: a drop
// may fill the list meanwhile, and "Beenden" from the tray may end the program and take the window, and
// any dialog it owns, with it. Once the window is going, the commands show, add and save nothing more.
#include <string>

#include "ui/form1.h"
#include "watch/program_path.h"

namespace kw {
namespace {

// Hide the read-only box, only existing files, Explorer style, long names. One file per use; the
// process's current folder stays where it was.
static_assert(kOpenFlags == 2625540);

std::string Quoted(const std::string& path) {
    return "\"" + path + "\"";
}

static_assert(kMaxEntries == 10, "the limit's message names it");

// The limit holds whatever was added before, also while the dialog was open: an addition that would
// pass it adds nothing.
bool RoomFor(FormView& view, int added) {
    if (view.listCount() + added <= kMaxEntries) {
        return true;
    }
    view.messageBox("Sorry, es sind maximal 10 Programme zugelassen.", vbExclamation, "Maximal 10 Dateie gestattet");
    return false;
}

void NoSelection(FormView& view) {
    view.messageBox("Bitte wählen Sie zuerst eine Datei aus,\r\noder fügen eine Datei hinzu.", vbExclamation,
                    "Keine Datei gewählt");
}

}  // namespace

void Form1::updateAddButton() {
    p_.view.setEnabled(ControlId::Command1, p_.view.listCount() < kMaxEntries);
}

std::string Form1::dateiwaehlen() {
    dlgOpenFile.Filter = "Ausführbare Dateien (*.exe;*.com;*.bat)|*.exe;*.com;*.bat|Alle Dateien (*.*)|*.*";
    dlgOpenFile.DialogTitle = "File wählen";
    dlgOpenFile.Flags = kOpenFlags;
    const DialogError error = p_.fileDialog.showOpen(dlgOpenFile);
    // Whatever a dialog that went with its window reports, there is no window left to say it in.
    if (unloading_) {
        return "";
    }
    if (error.number == 0) {
        return dlgOpenFile.FileName;
    }
    if (error.number != kDialogCancelled) {
        // No title: the box shows the program's.
        p_.view.messageBox("Error " + std::to_string(error.number) + " selecting file.\r\n" + error.description,
                           vbOKOnly, "");
    }
    return "";
}

void Form1::Command1_Click() {
    if (unloading_) {
        return;
    }
    const std::string path = dateiwaehlen();
    if (unloading_) {
        return;
    }
    if (!path.empty() && RoomFor(p_.view, 1)) {
        p_.view.listAdd(Quoted(path));
    }
    updateAddButton();
    speichern();
}

void Form1::Command2_Click() {
    if (unloading_) {
        return;
    }
    const int selected = p_.view.listIndex();
    if (selected < 0) {
        NoSelection(p_.view);
        return;
    }
    p_.view.listRemove(selected);
    updateAddButton();
    speichern();
}

void Form1::Command3_Click() {
    if (unloading_) {
        return;
    }
    const int k = p_.view.listIndex();
    if (k < 0) {
        NoSelection(p_.view);
        return;
    }
    const std::string text =
        p_.input.inputBox("Hier kann der Eintrag bearbeitet werden,\r\num z.B. Parameter hinzuzufügen.",
                          "Eintrag bearbeiten", p_.view.listItem(k));
    if (text.empty() || unloading_) {
        return;
    }
    // The new text goes in before the old one goes out, and the list is saved only when both happened:
    // a list box short of memory must neither lose the entry nor keep both.
    const int n = p_.view.listCount();
    p_.view.listInsert(k, text);
    if (p_.view.listCount() != n + 1) {
        return;
    }
    p_.view.listRemove(k + 1);
    if (p_.view.listCount() != n) {
        p_.view.listRemove(k);
        return;
    }
    speichern();
}

void Form1::filelist_DblClick() {
    Command3_Click();
}

void Form1::filelist_KeyUp(std::int16_t KeyCode) {
    if (KeyCode == vbKeyDelete && !unloading_ && p_.view.listIndex() >= 0) {
        Command2_Click();
    }
}

// The entry under the pointer at the release, as the list box finds it from the message's point, is
// selected and removed. Nothing waits for input to arrive, so no entry selected before can be removed in
// its place. Below the last entry the list's own left click decides what is selected there.
void Form1::filelist_MouseUp(std::int16_t Button, float X, float Y) {
    if (Button != vbRightButton || unloading_) {
        return;
    }
    const int entry = p_.view.listItemAt(X, Y);
    if (entry >= 0) {
        p_.view.listSelect(entry);
        // A selection that did not take leaves the entry selected before, which is not the one meant.
        if (p_.view.listIndex() != entry) {
            return;
        }
    } else {
        p_.view.listClick(X, Y);
    }
    if (p_.view.listIndex() >= 0) {
        Command2_Click();
    }
}

// A dropped shortcut to a program stands for what a double click on it starts: the program, quoted, with
// the shortcut's arguments. Any other file, a shortcut to a document or a folder too, is taken as it is.
std::string Form1::eintragFuer(const std::string& path) {
    Shortcut shortcut;
    if (!IsShortcutName(path) || !p_.files.readShortcut(path, shortcut) || shortcut.target.empty()) {
        return Quoted(path);
    }
    const bool native = NeedsNativeView(shortcut.target, p_.files.folders());
    if (!IsProgram(shortcut.target, [&](const std::string& file) { return p_.files.lookUp(file, native); })) {
        return Quoted(path);
    }
    return Quoted(shortcut.target) + (shortcut.arguments.empty() ? "" : " " + shortcut.arguments);
}

void Form1::filelist_OLEDragDrop(const DropData& Data) {
    if (unloading_) {
        return;
    }
    if (!Data.hasFileList) {
        p_.view.messageBox("Keine gültige Datei gedroppt!", vbCritical, "Fehler bei Drag & Drop");
        return;
    }
    // A drop is taken whole or not at all: should the list box refuse one of its files, the others
    // go again.
    const int n = p_.view.listCount();
    if (RoomFor(p_.view, static_cast<int>(Data.files.size()))) {
        for (const std::string& path : Data.files) {
            p_.view.listAdd(eintragFuer(path));
        }
        if (p_.view.listCount() != n + static_cast<int>(Data.files.size())) {
            for (int i = p_.view.listCount(); i > n; --i) {
                p_.view.listRemove(i - 1);
            }
        }
    }
    updateAddButton();
    speichern();
}

}  // namespace kw
