// Making the main window: its class, its controls laid out from the design, the tray menu and the system
// menu's item from the resources.
#include "platform/win32/main_window.h"

#include <commctrl.h>

#include "app/program_info.h"
#include "platform/win32/control_ids.h"
#include "platform/win32/main_window_internal.h"
#include "platform/win32/strings.h"
#include "ui/layout.h"

namespace kw::win32 {
namespace {

constexpr DWORD kFrameStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr int kFontPoints = 8;

// Window IDs in the order of ControlId.
constexpr int kWindowIds[] = {IDC_LABEL1, IDC_FILELIST, IDC_COMMAND1, IDC_COMMAND2, IDC_COMMAND3, IDC_COMMAND5,
                              IDC_LABEL2, IDC_TEXT1,    IDC_AKTIV,    IDC_COMMAND4, IDC_STATUS};
static_assert(std::size(kWindowIds) == kControlCount);

struct ControlClass {
    const wchar_t* name;
    DWORD style;
    DWORD exStyle;
};

ControlClass ClassFor(layout::Kind kind) {
    switch (kind) {
        case layout::Kind::ListBox:
            return {L"LISTBOX", WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, WS_EX_CLIENTEDGE};
        case layout::Kind::Button: return {L"BUTTON", WS_TABSTOP | BS_PUSHBUTTON, 0};
        case layout::Kind::TextBox: return {L"EDIT", WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
        case layout::Kind::Label: break;
    }
    // SS_LEFT wraps at word boundaries; the captions are plain text, so "&" must not mark a key.
    return {L"STATIC", SS_LEFT | SS_NOPREFIX, 0};
}

// Not LR_SHARED: the system would hand out the first image of the resource it cached, at any size.
HICON LoadIconSized(HINSTANCE instance, int width, int height) {
    return static_cast<HICON>(
        LoadImageW(instance, MAKEINTRESOURCEW(IDI_KOPPLUNGSWACHT), IMAGE_ICON, width, height, LR_DEFAULTCOLOR));
}

}  // namespace

MainWindow::MainWindow(HINSTANCE instance)
    : instance_(instance), dropTarget_([this](DropData dropped) {
          drops_.push_back(std::move(dropped));
          PostMessageW(hwnd_, kDropMessage, 0, 0);
      }) {}

// The icons go after the window that shows them.
MainWindow::~MainWindow() {
    if (hwnd_ != nullptr) {
        DestroyWindow(hwnd_);
    }
    if (oleInitialized_) {
        OleUninitialize();
    }
}

bool MainWindow::registerClass() {
    largeIcon_.reset(LoadIconSized(instance_, GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON)));
    smallIcon_.reset(LoadIconSized(instance_, GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON)));
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance_;
    windowClass.hIcon = largeIcon_.get();
    windowClass.hIconSm = smallIcon_.get();
    windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kMainWindowClass;
    return RegisterClassExW(&windowClass) != 0;
}

bool MainWindow::create(Form1& form) {
    form_ = &form;
    if (!registerClass()) {
        return false;
    }
    // The window is laid out for the screen's resolution; the manifest declares the program DPI-aware,
    // so the system does not scale it a second time.
    HDC screen = GetDC(nullptr);
    const int dpiX = GetDeviceCaps(screen, LOGPIXELSX);
    const int dpiY = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    dpiX_ = dpiX;
    dpiY_ = dpiY;

    RECT frame{0, 0, layout::TwipsToPixels(layout::kClientWidth, dpiX),
               layout::TwipsToPixels(layout::kClientHeight, dpiY)};
    AdjustWindowRectEx(&frame, kFrameStyle, FALSE, 0);
    if (CreateWindowExW(0, kMainWindowClass, Widen(program::kTitle).c_str(), kFrameStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                        frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr, instance_,
                        this) == nullptr) {
        return false;
    }
    font_.reset(CreateFontW(-MulDiv(kFontPoints, dpiY, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                            OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                            L"MS Shell Dlg"));
    createControls(dpiX, dpiY);
    createMenu();
    focus_ = control(ControlId::filelist);
    taskbarCreated_ = RegisterWindowMessageW(L"TaskbarCreated");
    // Run with administrator rights, the window would not hear the message from the shell of the ordinary
    // user, and the icon would stay lost after a restart of Explorer. Only this message is let through.
    if (taskbarCreated_ != 0) {
        ChangeWindowMessageFilterEx(hwnd_, taskbarCreated_, MSGFLT_ALLOW, nullptr);
    }
    // Drops from the shell arrive through OLE, which this thread must have initialised first.
    oleInitialized_ = SUCCEEDED(OleInitialize(nullptr));
    if (oleInitialized_) {
        RegisterDragDrop(control(ControlId::filelist), &dropTarget_);
    }
    return true;
}

// The tray menu and the caption bar's item that chooses the adapters come from the resources; the
// window's layout and the tray menu stay as they are.
void MainWindow::createMenu() {
    menu_.reset(LoadMenuW(instance_, MAKEINTRESOURCEW(IDR_TRAYMENU)));
    wchar_t adapterItem[64] = {};
    if (LoadStringW(instance_, IDS_ADAPTER, adapterItem, static_cast<int>(std::size(adapterItem))) > 0) {
        HMENU systemMenu = GetSystemMenu(hwnd_, FALSE);
        AppendMenuW(systemMenu, MF_SEPARATOR, 0, nullptr);
        AppendMenuW(systemMenu, MF_STRING, IDM_ADAPTER, adapterItem);
    }
}

void MainWindow::createControls(int dpiX, int dpiY) {
    // Creation order is the order on the z-axis, from the top: a label comes directly before the control
    // it names, which is how a screen reader finds a control's name, and the controls that take the focus
    // come in tab order. The labels' rectangles are cut where they would reach into a control below them.
    for (const layout::ControlDesign& design : layout::InCreationOrder()) {
        const layout::ControlDesign placed = layout::Placed(design);
        const ControlClass kind = ClassFor(placed.kind);
        const int id = kWindowIds[IndexOf(placed.id)];
        HWND child =
            CreateWindowExW(kind.exStyle, kind.name, Widen(placed.caption).c_str(),
                            WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | kind.style,
                            layout::TwipsToPixels(placed.left, dpiX), layout::TwipsToPixels(placed.top, dpiY),
                            layout::TwipsToPixels(placed.width, dpiX), layout::TwipsToPixels(placed.height, dpiY),
                            hwnd_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance_, nullptr);
        SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
        controls_[IndexOf(placed.id)] = child;
    }
    SetWindowSubclass(control(ControlId::Text1), Text1Proc, kText1SubclassId, reinterpret_cast<DWORD_PTR>(this));
    SetWindowSubclass(control(ControlId::filelist), FilelistProc, kFilelistSubclassId,
                      reinterpret_cast<DWORD_PTR>(this));
}

HWND MainWindow::control(ControlId id) const {
    return controls_[IndexOf(id)];
}

}  // namespace kw::win32
