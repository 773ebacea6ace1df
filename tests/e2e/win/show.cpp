// Shows the product with a realistic program list for a screenshot taken from the host (screenshot.sh). Writes
// the window's screen rectangle to KWT_SHOW_READY once it is up, and ends the product when the host writes
// KWT_SHOW_DONE (or after 30 s). The host waits for the display to settle before it takes the picture.
#include "areas.h"
#include "harness.h"
#include "platform/win32/control_ids.h"
#include "product.h"

namespace kwt {

void ShowForScreenshot(const Args& args) {
    ResetWorld();
    DeleteFileW(KWT_WIDE(KWT_SHOW_READY));
    DeleteFileW(KWT_WIDE(KWT_SHOW_DONE));
    StoreSettings({"\"C:\\Programme\\Post\\Posteingang.exe\"", "\"C:\\Programme\\Zeitabgleich\\zeitsync.exe\" /sofort",
                   "\"C:\\Programme\\Nachrichten\\Newsleser.exe\" -minimiert -konto=privat"},
                  "5");
    SetConnections("0");
    Product product;
    if (!product.Start(args[0]))
        return;
    if (!product.Restore())
        return;
    RECT r{};
    GetWindowRect(product.window(), &r);
    char line[128];
    snprintf(line, sizeof(line), "%ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
    ok(WriteFileAtomically(KWT_WIDE(KWT_SHOW_READY), line), "could not write " KWT_SHOW_READY);
    std::string done;
    WaitUntil([&] { return ReadWholeFile(KWT_WIDE(KWT_SHOW_DONE), done); }, 30000, 50);
    product.Kill();
    ResetWorld();
}

}  // namespace kwt
