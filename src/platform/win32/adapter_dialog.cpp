#include "platform/win32/adapter_dialog.h"

#include <commctrl.h>

#include "platform/win32/control_ids.h"
#include "platform/win32/main_window.h"
#include "platform/win32/strings.h"

namespace kw::win32 {
namespace {

struct DialogState {
    const std::vector<AdapterRow>& rows;
    const std::function<std::optional<Refusal>(const std::vector<std::string>&)>& check;
    std::vector<std::string> checked;
};

// The columns' widths in dialog units, so that they grow with the font and the DPI as the template does.
struct Column {
    const wchar_t* title;
    int width;
};
constexpr Column kColumns[] = {{L"Name", 95}, {L"Beschreibung", 140}, {L"Zustand", 70}};

void SetCell(HWND list, int row, int column, const std::string& text) {
    std::wstring wide = Widen(text);
    ListView_SetItemText(list, row, column, wide.data());
}

void Fill(HWND dialog, HWND list, const std::vector<AdapterRow>& rows) {
    ListView_SetExtendedListViewStyle(list, LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
    for (int i = 0; i < static_cast<int>(std::size(kColumns)); ++i) {
        RECT width{0, 0, kColumns[i].width, 0};
        MapDialogRect(dialog, &width);
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.pszText = const_cast<wchar_t*>(kColumns[i].title);
        column.cx = width.right;
        ListView_InsertColumn(list, i, &column);
    }
    for (int i = 0; i < static_cast<int>(rows.size()); ++i) {
        const AdapterRow& row = rows[static_cast<std::size_t>(i)];
        std::wstring name = Widen(row.name);
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iItem = i;
        item.pszText = name.data();
        ListView_InsertItem(list, &item);
        SetCell(list, i, 1, row.description);
        SetCell(list, i, 2, row.state);
        ListView_SetCheckState(list, i, row.checked ? TRUE : FALSE);
    }
    // Space toggles the check of the selected row.
    ListView_SetItemState(list, 0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

// OK: the checked names in row order, unless the check refuses them; then its box, and the dialog stays.
void Confirm(HWND dialog, DialogState& state) {
    HWND list = GetDlgItem(dialog, IDC_ADAPTER_LIST);
    std::vector<std::string> checked;
    for (int i = 0; i < static_cast<int>(state.rows.size()); ++i) {
        if (ListView_GetCheckState(list, i)) {
            checked.push_back(state.rows[static_cast<std::size_t>(i)].name);
        }
    }
    if (const auto refusal = state.check(checked)) {
        MessageBoxW(dialog, Widen(refusal->text).c_str(), Widen(refusal->title).c_str(),
                    static_cast<UINT>(refusal->style) | MB_OK);
        return;
    }
    state.checked = std::move(checked);
    EndDialog(dialog, IDOK);
}

INT_PTR CALLBACK AdapterDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG: {
            SetWindowLongPtrW(dialog, DWLP_USER, lParam);
            HWND list = GetDlgItem(dialog, IDC_ADAPTER_LIST);
            Fill(dialog, list, reinterpret_cast<const DialogState*>(lParam)->rows);
            SetFocus(list);
            return FALSE;  // the focus is set
        }
        case WM_COMMAND:
            // The dialog manager turns Enter into IDOK, Escape and the Close command into IDCANCEL.
            if (LOWORD(wParam) == IDOK) {
                Confirm(dialog, *reinterpret_cast<DialogState*>(GetWindowLongPtrW(dialog, DWLP_USER)));
                return TRUE;
            }
            if (LOWORD(wParam) == IDCANCEL) {
                EndDialog(dialog, IDCANCEL);
                return TRUE;
            }
            break;
        default: break;
    }
    return FALSE;
}

}  // namespace

std::optional<std::vector<std::string>> Win32AdapterDialog::chooseAdapters(
    const std::vector<AdapterRow>& rows,
    const std::function<std::optional<Refusal>(const std::vector<std::string>&)>& check) {
    const INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&classes);
    DialogState state{rows, check, {}};
    const INT_PTR result = DialogBoxParamW(instance_, MAKEINTRESOURCEW(IDD_ADAPTER), owner_.handle(), AdapterDialogProc,
                                           reinterpret_cast<LPARAM>(&state));
    if (result != IDOK) {
        return std::nullopt;
    }
    return state.checked;
}

}  // namespace kw::win32
