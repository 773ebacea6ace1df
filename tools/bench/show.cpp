// Shows the product with a realistic program list for a screenshot taken from the host. Writes the
// window's screen rectangle to C:\kwtest\show-ready.txt once it is up, and ends the product when the host
// writes C:\kwtest\show-done.txt (or after 30 s).
#include "areas.h"
#include "harness.h"
#include "platform/win32/control_ids.h"
#include "product.h"

namespace kwt {

void ShowForScreenshot(const Args& args) {
    ResetWorld();
    DeleteFileW(L"C:\\kwtest\\show-ready.txt");
    DeleteFileW(L"C:\\kwtest\\show-done.txt");
    StoreSettings({"\"C:\\Programme\\Post\\Posteingang.exe\"", "\"C:\\Programme\\Zeitabgleich\\zeitsync.exe\" /sofort",
                   "\"C:\\Programme\\Nachrichten\\Newsleser.exe\" -minimiert -konto=privat"},
                  "5");
    SetConnections("0");
    Product product;
    if (!product.Start(args[0]))
        return;
    if (!product.Restore())
        return;
    SleepPumping(300);
    RECT r{};
    GetWindowRect(product.window(), &r);
    char line[128];
    snprintf(line, sizeof(line), "%ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
    ok(WriteFileAtomically(L"C:\\kwtest\\show-ready.txt", line), "could not write show-ready.txt");
    std::string done;
    WaitUntil([&] { return ReadWholeFile(L"C:\\kwtest\\show-done.txt", done); }, 30000, 50);
    product.Kill();
    ResetWorld();
}

}  // namespace kwt
