// The main window as the behaviour sees it: texts per control, the list box, enabled states, the window
// state, and logs of what was set and shown.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "fakes/failure_point.h"
#include "platform/form_view.h"
#include "ui/layout.h"

namespace kw::test {

struct TextSet {
    ControlId control;
    std::string text;
    std::uint32_t at;  // simulated milliseconds
};

struct MessageBoxShown {
    std::string text;
    int style;
    std::string title;
};

class FakeFormView final : public FormView {
public:
    // The controls come up with their design captions, as the real window creates them.
    FakeFormView() {
        for (const auto& control : layout::kControls) {
            texts_[control.id] = control.caption;
        }
    }

    Hwnd hwnd() override { return kHwnd; }
    std::uint32_t icon() override { return kIcon; }

    void setCaption(const std::string& text) override {
        if (Fails(faults, "setCaption"))
            return;
        caption = text;
        log("setCaption " + text);
    }
    void setText(ControlId control, const std::string& text) override {
        if (Fails(faults, "setText " + text))
            return;
        texts_[control] = text;
        if (control == ControlId::Text1)
            log("setText Text1 " + text);
        textLog.push_back({control, text, clock ? clock() : 0});
    }
    std::string text(ControlId control) override { return texts_[control]; }
    void setEnabled(ControlId control, bool enabled) override {
        if (!Fails(faults, "setEnabled"))
            enabled_[control] = enabled;
    }

    int listCount() override { return static_cast<int>(list.size()); }
    std::string listItem(int index) override { return list.at(static_cast<std::size_t>(index)); }
    // Out of memory (LB_ERRSPACE): nothing added.
    void listAdd(const std::string& text) override {
        if (Fails(faults, "listAdd " + text))
            return;
        list.push_back(text);
        log("listAdd " + text);
    }
    int listIndex() override { return selected; }
    // The selection follows its entry, as in the real list box; an index past the end is refused.
    void listRemove(int index) override {
        if (Fails(faults, "listRemove") || index < 0 || index >= listCount())
            return;
        list.erase(list.begin() + index);
        selected = selected == index ? -1 : selected > index ? selected - 1 : selected;
    }
    void listInsert(int index, const std::string& text) override {
        if (Fails(faults, "listInsert " + text) || index < 0 || index > listCount())
            return;
        list.insert(list.begin() + index, text);
        selected = selected >= index ? selected + 1 : selected;
    }
    // The list's rows from its top, kRowHeight twips each; a message the list box does not answer finds none.
    int listItemAt(float x, float y) override { return Fails(faults, "listItemAt") ? -1 : rowAt(x, y); }
    void listSelect(int index) override {
        if (Fails(faults, "listSelect") || index < 0 || index >= listCount())
            return;
        selected = index;
        log("listSelect " + std::to_string(index));
    }
    // A click on a row selects it. Below the last row the selection stays, or, in a list box that does
    // so, the last entry is selected.
    void listClick(float x, float y) override {
        if (Fails(faults, "listClick"))
            return;
        log("listClick");
        const int row = rowAt(x, y);
        if (row >= 0)
            selected = row;
        else if (clickBelowSelectsLast && !list.empty() && y >= 0)
            selected = listCount() - 1;
    }

    WindowState windowState() override { return state; }
    void setWindowState(WindowState newState) override {
        if (Fails(faults, "setWindowState"))
            return;
        state = newState;
        log("setWindowState " + std::to_string(newState));
    }
    void show() override {
        if (Fails(faults, "show"))
            return;
        visible = true;
        log("show");
    }
    void hide() override {
        if (Fails(faults, "hide"))
            return;
        visible = false;
        ++hideCalls;
        log("hide");
    }
    // The window and its controls are destroyed: the list box is gone with its entries.
    void unload() override {
        ++unloadCalls;
        list.clear();
        selected = -1;
        log("unload");
    }

    void closeDialogs() override {
        ++closeDialogsCalls;
        log("closeDialogs");
    }
    bool pointerAt(std::int32_t x, std::int32_t y) override {
        return pointer && pointer->first == x && pointer->second == y;
    }

    bool startTimer(std::uint32_t milliseconds) override {
        log("startTimer " + std::to_string(milliseconds));
        return !Fails(faults, "startTimer") && timerStarts;
    }

    // The menu stays open while `whileMenuOpen` runs (a tray click arriving meanwhile, say).
    // A menu that cannot be shown returns at once with nothing chosen.
    MenuItem popupMenu() override {
        if (Fails(faults, "popupMenu"))
            return MenuItem::none;
        ++menusOpened;
        log("popupMenu");
        if (whileMenuOpen)
            whileMenuOpen();
        return menuChoice;
    }

    // The box stays open while `whileBoxOpen` runs: its modal loop handles the window's events meanwhile.
    // A box that cannot be created returns at once.
    void messageBox(const std::string& text, int style, const std::string& title) override {
        if (Fails(faults, "messageBox " + title))
            return;
        messageBoxes.push_back({text, style, title});
        log("messageBox " + title);
        if (whileBoxOpen)
            whileBoxOpen();
    }

    // What the user types into a control, without any event.
    void type(ControlId control, const std::string& text) { texts_[control] = text; }
    bool isEnabled(ControlId control) const {
        const auto it = enabled_.find(control);
        return it == enabled_.end() || it->second;
    }
    std::vector<std::string> textsSet(ControlId control) const { return logged(control, &TextSet::text); }
    std::vector<std::uint32_t> timesSet(ControlId control) const { return logged(control, &TextSet::at); }

    static constexpr Hwnd kHwnd = 0x1234;
    static constexpr int kRowHeight = 195;  // twips: 13 pixels at 96 DPI
    static constexpr std::uint32_t kIcon = 0x5678;

    std::function<std::uint32_t()> clock;
    FailurePoint* faults = nullptr;
    std::vector<std::string>* journal = nullptr;  // shared with the other fakes, to see the order of calls
    bool timerStarts = true;
    MenuItem menuChoice = MenuItem::none;
    std::function<void()> whileMenuOpen;
    std::function<void()> whileBoxOpen;
    int menusOpened = 0;
    std::string caption = "Kopplungswacht";
    std::vector<std::string> list;
    int selected = -1;
    bool clickBelowSelectsLast = false;
    WindowState state = vbNormal;
    bool visible = true;
    int hideCalls = 0;
    int unloadCalls = 0;
    int closeDialogsCalls = 0;
    // Where the pointer stands in the client area as the current message was sent; none: outside it.
    std::optional<std::pair<std::int32_t, std::int32_t>> pointer;
    std::vector<TextSet> textLog;
    std::vector<MessageBoxShown> messageBoxes;

private:
    int rowAt(float x, float y) const {
        const int row = x < 0 || y < 0 ? -1 : static_cast<int>(y) / kRowHeight;
        return row < static_cast<int>(list.size()) ? row : -1;
    }

    void log(const std::string& entry) {
        if (journal)
            journal->push_back(entry);
    }

    template <typename Field>
    std::vector<Field> logged(ControlId control, Field TextSet::*field) const {
        std::vector<Field> result;
        for (const auto& entry : textLog) {
            if (entry.control == control)
                result.push_back(entry.*field);
        }
        return result;
    }

    std::map<ControlId, std::string> texts_;
    std::map<ControlId, bool> enabled_;
};

}  // namespace kw::test
