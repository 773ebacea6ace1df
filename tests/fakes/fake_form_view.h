// The main window as the behaviour sees it: texts per control, the list box, enabled states, the window
// state, and logs of what was set and shown.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

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

    void setCaption(const std::string& text) override { caption = text; }
    void setText(ControlId control, const std::string& text) override {
        texts_[control] = text;
        textLog.push_back({control, text, clock ? clock() : 0});
    }
    std::string text(ControlId control) override { return texts_[control]; }
    void setEnabled(ControlId control, bool enabled) override { enabled_[control] = enabled; }

    int listCount() override { return static_cast<int>(list.size()); }
    std::string listItem(int index) override { return list.at(static_cast<std::size_t>(index)); }
    void listAdd(const std::string& text) override { list.push_back(text); }

    WindowState windowState() override { return state; }
    void setWindowState(WindowState newState) override { state = newState; }
    void show() override {
        visible = true;
        ++showCalls;
    }
    void hide() override {
        visible = false;
        ++hideCalls;
    }
    void unload() override { ++unloadCalls; }

    void messageBox(const std::string& text, int style, const std::string& title) override {
        messageBoxes.push_back({text, style, title});
    }

    // What the user types into a control, without any event.
    void type(ControlId control, const std::string& text) { texts_[control] = text; }
    bool isEnabled(ControlId control) const {
        const auto it = enabled_.find(control);
        return it == enabled_.end() || it->second;
    }
    std::vector<std::string> textsSet(ControlId control) const { return logged(control, &TextSet::text); }
    std::vector<std::uint32_t> timesSet(ControlId control) const { return logged(control, &TextSet::at); }

    std::function<std::uint32_t()> clock;
    std::string caption = "Kopplungswacht";
    std::vector<std::string> list;
    WindowState state = vbNormal;
    bool visible = true;
    int showCalls = 0;
    int hideCalls = 0;
    int unloadCalls = 0;
    std::vector<TextSet> textLog;
    std::vector<MessageBoxShown> messageBoxes;

private:
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
