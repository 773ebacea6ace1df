// The system's network adapters and the dialog that chooses among them: a table and adapter keys a test
// sets, whose reads can fail, announcements that reach the event pump, and a dialog that answers as scripted.
#pragma once

#include <cctype>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "fakes/failure_point.h"
#include "fakes/fake_event_pump.h"
#include "platform/adapter_dialog.h"
#include "platform/network_adapters.h"

namespace kw::test {

class FakeNetworkAdapters final : public NetworkAdapters {
public:
    bool list(std::vector<NetworkAdapter>& adapters) override {
        ++reads;
        if (Fails(faults, "list adapters") || failReads)
            return false;
        adapters = table;
        return true;
    }

    bool adapterMarks(std::vector<AdapterMarks>& out) override {
        ++markReads;
        if (Fails(faults, "adapterMarks"))
            return false;
        out = marks;
        return true;
    }

    // The system folds case beyond ASCII too; ASCII and the umlauts are enough for the tests.
    bool sameName(const std::string& a, const std::string& b) override { return Folded(a) == Folded(b); }

    bool notifyChanges() override {
        ++notifyCalls;
        if (Fails(faults, "notifyChanges") || pump == nullptr)
            return false;
        announcing_ = true;
        return true;
    }

    // An adapter's state changes, and the system announces it where it can.
    void set(const std::string& name, std::uint32_t operStatus) {
        for (NetworkAdapter& adapter : table)
            if (adapter.name == name)
                adapter.operStatus = operStatus;
        if (announcing_)
            pump->announce();
    }

    std::vector<NetworkAdapter> table;
    std::vector<AdapterMarks> marks;  // the adapter keys that can be read; none under Wine
    bool failReads = false;
    FakeEventPump* pump = nullptr;
    FailurePoint* faults = nullptr;
    int reads = 0;
    int markReads = 0;
    int notifyCalls = 0;

private:
    static std::string Folded(std::string s) {
        for (const auto& [lower, upper] : {std::pair{"ä", "Ä"}, {"ö", "Ö"}, {"ü", "Ü"}})
            for (std::size_t at; (at = s.find(lower)) != std::string::npos;)
                s.replace(at, 2, upper);
        for (char& c : s)
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        return s;
    }

    bool announcing_ = false;
};

class FakeAdapterDialog final : public AdapterDialog {
public:
    // Each answer is one press of OK with these names checked; a refused one leaves the dialog open for the
    // next. When the answers run out, the user cancels.
    std::optional<std::vector<std::string>> chooseAdapters(
        const std::vector<AdapterRow>& rows,
        const std::function<std::optional<Refusal>(const std::vector<std::string>&)>& check) override {
        if (Fails(faults, "chooseAdapters"))
            return std::nullopt;
        shown.push_back(rows);
        if (whileOpen)
            whileOpen();
        while (!answers.empty()) {
            std::vector<std::string> checked = answers.front();
            answers.pop_front();
            if (const auto refusal = check(checked)) {
                refusals.push_back(*refusal);
                continue;
            }
            return checked;
        }
        return std::nullopt;
    }

    std::deque<std::vector<std::string>> answers;
    std::vector<std::vector<AdapterRow>> shown;
    std::vector<Refusal> refusals;
    FailurePoint* faults = nullptr;
    std::function<void()> whileOpen;
};

}  // namespace kw::test
