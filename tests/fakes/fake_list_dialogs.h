// The open-file dialog and the input box, answering as a test scripts them and
// logging what they were asked.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "fakes/failure_point.h"
#include "platform/input_box.h"
#include "platform/open_file_dialog.h"

namespace kw::test {

class FakeOpenFileDialog final : public OpenFileDialog {
public:
    // A dialog that cannot be created reports CDERR_DIALOGFAILURE, numbered as the window reports it.
    DialogError showOpen(CommonDialog& dialog) override {
        if (Fails(faults, "showOpen"))
            return {32767 - 0xFFFF, "The dialog box could not be created."};
        shown.push_back(dialog);
        if (whileOpen)
            whileOpen();
        if (answers.empty())
            return {kDialogCancelled, ""};
        const Answer answer = answers.front();
        answers.pop_front();
        if (answer.error.number == 0)
            dialog.FileName = answer.path;
        return answer.error;
    }

    void choose(const std::string& path) { answers.push_back({path, {}}); }
    void cancel() { answers.push_back({"", {kDialogCancelled, ""}}); }
    void fail(std::int32_t number, const std::string& description) { answers.push_back({"", {number, description}}); }

    std::vector<CommonDialog> shown;  // the dialog object as each showing found it
    FailurePoint* faults = nullptr;
    std::function<void()> whileOpen;  // what the dialog's own loop handles meanwhile (a drop, the tray menu)

private:
    struct Answer {
        std::string path;
        DialogError error;
    };
    std::deque<Answer> answers;
};

struct InputBoxShown {
    std::string prompt, title, defaultText;
};

class FakeInputBox final : public InputBox {
public:
    // A box that cannot be created reads as a cancel.
    std::string inputBox(const std::string& prompt, const std::string& title, const std::string& defaultText) override {
        if (Fails(faults, "inputBox"))
            return "";
        shown.push_back({prompt, title, defaultText});
        if (whileOpen)
            whileOpen();
        if (answers.empty())
            return "";
        std::string answer = answers.front();
        answers.pop_front();
        return answer;
    }

    std::deque<std::string> answers;  // "" stands for a cancel
    std::vector<InputBoxShown> shown;
    FailurePoint* faults = nullptr;
    std::function<void()> whileOpen;  // what happens elsewhere while the box is open
};

}  // namespace kw::test
