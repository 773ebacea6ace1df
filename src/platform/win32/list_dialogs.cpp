#include "platform/win32/list_dialogs.h"

#include <cderr.h>
#include <commdlg.h>

#include <algorithm>
#include <vector>

#include "platform/win32/control_ids.h"
#include "platform/win32/main_window.h"
#include "platform/win32/strings.h"

namespace kw::win32 {
namespace {

// Room for the longest path the system knows (\\?\ paths of 32767 characters).
constexpr DWORD kFileBufferChars = 32768;

// The common dialog's errors are numbered down from 32767, as its cancel is numbered 32755.
std::int32_t ErrorNumber(DWORD extendedError) {
    return 32767 - static_cast<std::int32_t>(extendedError);
}

std::string Describe(DWORD extendedError) {
    switch (extendedError) {
        case CDERR_DIALOGFAILURE: return "The dialog box could not be created.";
        case CDERR_INITIALIZATION: return "The dialog box could not be initialized.";
        case CDERR_MEMALLOCFAILURE:
        case CDERR_MEMLOCKFAILURE: return "Not enough memory for the dialog box.";
        case CDERR_FINDRESFAILURE:
        case CDERR_LOADRESFAILURE:
        case CDERR_LOADSTRFAILURE:
        case CDERR_LOCKRESFAILURE: return "A resource of the dialog box could not be loaded.";
        case FNERR_INVALIDFILENAME: return "The file name is not valid.";
        case FNERR_BUFFERTOOSMALL: return "The file name is too long.";
        case FNERR_SUBCLASSFAILURE: return "Not enough memory to show the list of files.";
        default: return "Unexpected error " + std::to_string(extendedError) + " in the common dialog.";
    }
}

struct InputBoxState {
    std::wstring prompt, title, text;
};

INT_PTR CALLBACK InputBoxProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG: {
            SetWindowLongPtrW(dialog, DWLP_USER, lParam);
            const auto* state = reinterpret_cast<const InputBoxState*>(lParam);
            SetWindowTextW(dialog, state->title.c_str());
            SetDlgItemTextW(dialog, IDC_INPUT_PROMPT, state->prompt.c_str());
            HWND edit = GetDlgItem(dialog, IDC_INPUT_TEXT);
            SendMessageW(edit, EM_SETLIMITTEXT, 0, 0);  // as long as a command line may be
            SetWindowTextW(edit, state->text.c_str());
            SetFocus(edit);
            SendMessageW(edit, EM_SETSEL, 0, -1);
            return FALSE;  // the focus is set
        }
        case WM_COMMAND:
            // The dialog manager turns Enter into IDOK, Escape and the Close command into IDCANCEL.
            if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
                if (LOWORD(wParam) == IDOK) {
                    auto* state = reinterpret_cast<InputBoxState*>(GetWindowLongPtrW(dialog, DWLP_USER));
                    state->text = WindowText(GetDlgItem(dialog, IDC_INPUT_TEXT));
                }
                EndDialog(dialog, LOWORD(wParam));
                return TRUE;
            }
            break;
        default: break;
    }
    return FALSE;
}

}  // namespace

DialogError Win32OpenFileDialog::showOpen(CommonDialog& dialog) {
    std::wstring filter = Widen(dialog.Filter);
    std::replace(filter.begin(), filter.end(), L'|', L'\0');
    filter.append(2, L'\0');
    const std::wstring title = Widen(dialog.DialogTitle);
    std::vector<wchar_t> file(kFileBufferChars, L'\0');
    const std::wstring initial = Widen(dialog.FileName);
    std::copy_n(initial.begin(), std::min<std::size_t>(initial.size(), kFileBufferChars - 1), file.begin());

    OPENFILENAMEW request{};
    request.lStructSize = sizeof(request);
    request.hwndOwner = owner_.handle();
    request.lpstrFilter = filter.c_str();
    request.nFilterIndex = 1;
    request.lpstrFile = file.data();
    request.nMaxFile = kFileBufferChars;
    request.lpstrTitle = title.c_str();
    request.Flags = dialog.Flags;
    // The dialog moves the process's current folder to the chosen file's, whatever its flags say (the
    // documentation calls OFN_NOCHANGEDIR ineffective here): it is put back.
    std::vector<wchar_t> folder(GetCurrentDirectoryW(0, nullptr) + 1, L'\0');
    const bool kept = GetCurrentDirectoryW(static_cast<DWORD>(folder.size()), folder.data()) != 0;
    const BOOL chosen = GetOpenFileNameW(&request);
    if (kept) {
        SetCurrentDirectoryW(folder.data());
    }
    if (chosen) {
        dialog.FileName = Narrow(file.data());
        return {};
    }
    const DWORD error = CommDlgExtendedError();
    if (error == 0) {
        return {kDialogCancelled, ""};
    }
    return {ErrorNumber(error), Describe(error)};
}

std::string Win32InputBox::inputBox(const std::string& prompt, const std::string& title,
                                    const std::string& defaultText) {
    InputBoxState state{Widen(prompt), Widen(title), Widen(defaultText)};
    const INT_PTR result = DialogBoxParamW(instance_, MAKEINTRESOURCEW(IDD_INPUTBOX), owner_.handle(), InputBoxProc,
                                           reinterpret_cast<LPARAM>(&state));
    return result == IDOK ? Narrow(state.text) : std::string();
}

}  // namespace kw::win32
