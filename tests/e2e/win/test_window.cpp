// The main window from outside: caption, button captions, layout in pixels, the names a screen reader
// reads, the Info box and the minimise button.
#include <windows.h>

#include <oleacc.h>

#include "app/version.h"
#include "areas.h"
#include "harness.h"
#include "platform/win32/control_ids.h"
#include "product.h"

namespace kwt {

namespace {

struct ExpectedRect {
    const char* name;
    int id;
    int left, top, width, height;  // client pixels at 96 DPI: the design's twips / 15
};

// "Kopplungswacht 1.2" for version 1.2.
constexpr const char* kTitleAndVersion =
    "Kopplungswacht " KW_VERSION_STR(KW_VERSION_MAJOR) "." KW_VERSION_STR(KW_VERSION_MINOR);

constexpr ExpectedRect kRects[] = {
    {"filelist", IDC_FILELIST, 8, 32, 273, 147},  {"Command1", IDC_COMMAND1, 288, 32, 97, 25},
    {"Command5", IDC_COMMAND5, 288, 176, 97, 25}, {"Text1", IDC_TEXT1, 240, 184, 41, 19},
    {"Command4", IDC_COMMAND4, 288, 208, 97, 25}, {"status", IDC_STATUS, 8, 216, 273, 17},
};

void CheckCaptions(const Product& product) {
    const std::string expected = kTitleAndVersion;
    std::string caption = WindowText(product.window());
    ok(caption == expected, "caption: expected [%s], got [%s]", expected.c_str(), caption.c_str());

    const struct {
        int id;
        const char* text;
    } buttons[] = {{IDC_COMMAND1, "&Hinzufügen"},
                   {IDC_COMMAND2, "&Entfernen"},
                   {IDC_COMMAND3, "&Bearbeiten"},
                   {IDC_COMMAND4, "&Fenster minimieren"},
                   {IDC_COMMAND5, "&Info"}};
    for (const auto& b : buttons)
        ok(product.Text(b.id) == b.text, "button %d: expected [%s], got [%s]", b.id, b.text,
           product.Text(b.id).c_str());
}

void CheckLayout(const Product& product) {
    HDC screen = GetDC(nullptr);
    int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    if (dpi != 96) {
        trace("screen has %d DPI, not 96: layout in pixels not checked", dpi);
        return;
    }
    RECT client{};
    GetClientRect(product.window(), &client);
    ok(client.right == 388 && client.bottom == 235, "client area: expected 388x235, got %ldx%ld", client.right,
       client.bottom);
    for (const ExpectedRect& e : kRects) {
        HWND control = product.Control(e.id);
        if (!ok(control != nullptr, "%s: control %d missing", e.name, e.id))
            continue;
        RECT r{};
        GetWindowRect(control, &r);
        MapWindowPoints(nullptr, product.window(), reinterpret_cast<POINT*>(&r), 2);
        ok(r.left == e.left && r.top == e.top && r.right - r.left == e.width && r.bottom - r.top == e.height,
           "%s: expected %d,%d size %dx%d, got %ld,%ld size %ldx%ld", e.name, e.left, e.top, e.width, e.height, r.left,
           r.top, r.right - r.left, r.bottom - r.top);
    }
}

// A screen reader names a control without a text of its own after the label just before it on the z-axis:
// Wine's Active Accessibility does so for the delay field; for the list the order itself is checked. The
// controls that take the focus keep their tab order.
void CheckNames(const Product& product) {
    HWND field = product.Control(IDC_TEXT1);
    IAccessible* accessible = nullptr;
    const HRESULT found =
        AccessibleObjectFromWindow(field, OBJID_CLIENT, IID_IAccessible, reinterpret_cast<void**>(&accessible));
    if (ok(SUCCEEDED(found) && accessible != nullptr, "delay field: no accessible object (0x%08lx)", found)) {
        VARIANT self;
        VariantInit(&self);
        self.vt = VT_I4;
        self.lVal = CHILDID_SELF;
        BSTR name = nullptr;
        const HRESULT named = accessible->get_accName(self, &name);
        const std::string got = SUCCEEDED(named) && name != nullptr ? Utf8(name) : "(none)";
        const char* const expected = "Nach Einwahlbeginn so viele Sekunden warten:";
        ok(got == expected, "delay field's accessible name: expected [%s], got [%s]", expected, got.c_str());
        SysFreeString(name);
        accessible->Release();
    }
    const struct {
        const char* name;
        int control, label;
    } named[] = {{"list", IDC_FILELIST, IDC_LABEL1}, {"delay field", IDC_TEXT1, IDC_LABEL2}};
    for (const auto& n : named) {
        HWND before = GetWindow(product.Control(n.control), GW_HWNDPREV);
        ok(before == product.Control(n.label), "%s: expected its label %d just before it, got control %d", n.name,
           n.label, GetDlgCtrlID(before));
    }
    std::vector<int> tabOrder;
    HWND at = product.Control(IDC_FILELIST);
    for (int i = 0; i < 7 && at != nullptr; ++i) {
        at = GetNextDlgTabItem(product.window(), at, FALSE);
        tabOrder.push_back(GetDlgCtrlID(at));
    }
    const std::vector<int> expectedOrder = {IDC_COMMAND1, IDC_COMMAND2, IDC_COMMAND3, IDC_COMMAND4,
                                            IDC_COMMAND5, IDC_TEXT1,    IDC_FILELIST};
    std::string got;
    for (const int id : tabOrder)
        got += std::to_string(id) + " ";
    ok(tabOrder == expectedOrder, "tab order after the list: expected 1002 1003 1004 1009 1005 1007 1001, got %s",
       got.c_str());
}

void CheckInfoBox(const Product& product) {
    PostMessageW(product.Control(IDC_COMMAND5), BM_CLICK, 0, 0);
    HWND box = WaitForMessageBox(product.pid(), "Info über Kopplungswacht", 3000);
    if (!ok(box != nullptr, "Info: no message box titled [Info über Kopplungswacht] within 3 s"))
        return;
    const std::string expected =
        std::string(kTitleAndVersion) +
        "\r\n\r\naktuelle Versionen gibts bei\r\nden Entwicklern von Kopplungswacht\r\n\r\n"
        "Ohne Gewähr: Benutzung auf eigene Verantwortung.\r\nKontakt: über den Issue-Tracker des Projekts";
    std::string text = MessageBoxText(box);
    ok(text == expected, "Info text: expected [%s], got [%s]", expected.c_str(), text.c_str());
    ok(GetWindow(box, GW_OWNER) == product.window(), "Info box: expected owned by the main window %p, got %p",
       static_cast<void*>(product.window()), static_cast<void*>(GetWindow(box, GW_OWNER)));
    ok(CloseMessageBox(box), "Info box did not close on OK");
}

void CheckMinimise(const Product& product) {
    HWND window = product.window();
    DWORD_PTR result = 0;
    ok(SendMessageTimeoutW(product.Control(IDC_COMMAND4), BM_CLICK, 0, 0, SMTO_NORMAL, 3000, &result) != 0,
       "minimise: the button did not answer BM_CLICK");
    double clicked = NowMs();
    ok(IsIconic(window), "minimise: expected iconic as soon as the click returned, got iconic %d visible %d",
       IsIconic(window), IsWindowVisible(window));
    bool hidden = WaitUntil([&] { return !IsWindowVisible(window); }, 1500, 5);
    double after = NowMs() - clicked;
    trace("window hidden %.0f ms after the minimise click (one tick is 200 ms)", after);
    ok(hidden && after <= bounds::kHideMs, "minimise: expected hidden within %.0f ms, got %s after %.0f ms",
       bounds::kHideMs, hidden ? "hidden" : "still visible", after);
    ok(IsWindow(window) && product.Alive(), "minimise: expected the window and program to stay, got window %d alive %d",
       IsWindow(window), product.Alive());
}

// The version resource of the exe, as Explorer's properties page reads it.
void CheckVersionResource(const std::wstring& exe) {
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(exe.c_str(), &ignored);
    std::vector<BYTE> data(size);
    if (!ok(size > 0 && GetFileVersionInfoW(exe.c_str(), 0, size, data.data()),
            "version resource: none found in the exe (error %lu)", GetLastError()))
        return;
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (ok(VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&fixed), &length) && fixed != nullptr,
           "version resource: no fixed part")) {
        const DWORD ms = (KW_VERSION_MAJOR << 16) | KW_VERSION_MINOR, ls = KW_VERSION_REVISION << 16;
        ok(fixed->dwFileVersionMS == ms && fixed->dwFileVersionLS == ls,
           "file version: expected %d.%d.%d.0, got %lu.%lu.%lu.%lu", KW_VERSION_MAJOR, KW_VERSION_MINOR,
           KW_VERSION_REVISION, fixed->dwFileVersionMS >> 16, fixed->dwFileVersionMS & 0xFFFF,
           fixed->dwFileVersionLS >> 16, fixed->dwFileVersionLS & 0xFFFF);
        ok(fixed->dwProductVersionMS == ms && fixed->dwProductVersionLS == ls,
           "product version: expected %d.%d.%d.0, got %lu.%lu.%lu.%lu", KW_VERSION_MAJOR, KW_VERSION_MINOR,
           KW_VERSION_REVISION, fixed->dwProductVersionMS >> 16, fixed->dwProductVersionMS & 0xFFFF,
           fixed->dwProductVersionLS >> 16, fixed->dwProductVersionLS & 0xFFFF);
    }
    WORD* translation = nullptr;
    if (ok(VerQueryValueW(data.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation),
                          &length) &&
               length >= 4,
           "version resource: no translation")) {
        ok(translation[0] == 1031, "language: expected 1031, got %u", translation[0]);
    }
    const struct {
        const wchar_t* name;
        const char* value;
    } strings[] = {{L"FileVersion", KW_VERSION_RESOURCE_TEXT},
                   {L"ProductVersion", KW_VERSION_RESOURCE_TEXT},
                   {L"ProductName", "Kopplungswacht"},
                   {L"InternalName", "kopplungswacht"},
                   {L"OriginalFilename", "kopplungswacht.exe"}};
    for (const auto& s : strings) {
        wchar_t* value = nullptr;
        const std::wstring path = std::wstring(L"\\StringFileInfo\\040704B0\\") + s.name;
        const bool found =
            VerQueryValueW(data.data(), path.c_str(), reinterpret_cast<void**>(&value), &length) && value != nullptr;
        const std::string got = found ? Utf8(value) : "(missing)";
        ok(got == s.value, "%s: expected [%s], got [%s]", Utf8(s.name).c_str(), s.value, got.c_str());
    }
}

}  // namespace

void TestWindow(const Args& args) {
    ResetWorld();
    Product product;
    if (!product.Start(args[0]))
        return;
    CheckVersionResource(args[0]);
    if (!product.Restore())
        return;
    CheckCaptions(product);
    CheckLayout(product);
    if (ok(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)), "COM could not be initialised")) {
        CheckNames(product);
        CoUninitialize();
    }
    CheckInfoBox(product);
    CheckMinimise(product);
    product.Kill();
    ResetWorld();
}

}  // namespace kwt
