#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace kw {

// One row of the adapter dialog's list.
struct AdapterRow {
    std::string name;
    std::string description;
    std::string state;  // "verbunden", "getrennt", "nicht vorhanden"
    bool checked = false;
};

// Why OK does not close the dialog: a message box over it.
struct Refusal {
    std::string text;
    int style = 0;
    std::string title;
};

// The modal dialog "Netzwerkadapter", owned by the main window.
class AdapterDialog {
public:
    virtual ~AdapterDialog() = default;
    // Shows the rows and returns the names checked, in row order, once OK is accepted; nothing when the
    // user cancels. On OK, `check` is asked with the checked names: a refusal is shown over the dialog,
    // which stays open.
    virtual std::optional<std::vector<std::string>> chooseAdapters(
        const std::vector<AdapterRow>& rows,
        const std::function<std::optional<Refusal>(const std::vector<std::string>&)>& check) = 0;
};

}  // namespace kw
