#include "tray/notices.h"

#include "app/utf.h"
#include "platform/shell_tray.h"

namespace kw {

std::string StartFailureNotice(const std::vector<FailedStart>& failed) {
    std::string text;
    for (const FailedStart& start : failed) {
        if (!text.empty()) {
            text += "\r\n";
        }
        text += "Nicht gestartet: " + start.entry + " " + start.reason;
    }
    return text;
}

std::string DropNotice(std::int32_t count, int ended) {
    const std::string cause = count < 0 ? "Verbindungen nicht abfragbar: " : "Verbindung getrennt: ";
    return cause + std::to_string(ended) + (ended == 1 ? " Programm beendet." : " Programme beendet.");
}

std::string FitNotice(const std::string& text) {
    std::u16string wide = Utf8ToUtf16(text);
    if (wide.size() <= kBalloonTextChars) {
        return text;
    }
    wide.resize(kBalloonTextChars - 1);
    if (wide.back() >= 0xD800 && wide.back() <= 0xDBFF) {
        wide.pop_back();  // the first half of a character whose second half was cut
    }
    return Utf16ToUtf8(wide) + "…";
}

}  // namespace kw
