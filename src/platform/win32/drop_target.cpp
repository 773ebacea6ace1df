#include "platform/win32/drop_target.h"

#include <shellapi.h>

#include <vector>

#include "platform/win32/strings.h"

namespace kw::win32 {
namespace {

// A copy where the source allows one, else a link; never a move, which would have the source delete
// the files that were dropped.
DWORD Accepted(DWORD allowed) {
    if (allowed & DROPEFFECT_COPY) {
        return DROPEFFECT_COPY;
    }
    return allowed & DROPEFFECT_LINK;
}

DropData Read(IDataObject* data) {
    DropData dropped;
    FORMATETC format{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    STGMEDIUM medium{};
    if (data == nullptr || data->GetData(&format, &medium) != S_OK) {
        return dropped;
    }
    if (medium.tymed == TYMED_HGLOBAL) {
        dropped.hasFileList = true;
        auto drop = static_cast<HDROP>(medium.hGlobal);
        const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
        for (UINT i = 0; i < count; ++i) {
            const UINT length = DragQueryFileW(drop, i, nullptr, 0);
            std::vector<wchar_t> path(length + 1, L'\0');
            const UINT copied = DragQueryFileW(drop, i, path.data(), length + 1);
            dropped.files.push_back(Narrow(std::wstring_view(path.data(), copied)));
        }
    }
    ReleaseStgMedium(&medium);
    return dropped;
}

}  // namespace

HRESULT ListDropTarget::QueryInterface(REFIID iid, void** object) {
    if (object == nullptr) {
        return E_POINTER;
    }
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDropTarget)) {
        *object = static_cast<IDropTarget*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

HRESULT ListDropTarget::DragEnter(IDataObject*, DWORD, POINTL, DWORD* effect) {
    *effect = Accepted(*effect);
    return S_OK;
}

HRESULT ListDropTarget::DragOver(DWORD, POINTL, DWORD* effect) {
    *effect = Accepted(*effect);
    return S_OK;
}

HRESULT ListDropTarget::Drop(IDataObject* data, DWORD, POINTL, DWORD* effect) {
    *effect = Accepted(*effect);
    onDrop_(Read(data));
    return S_OK;
}

}  // namespace kw::win32
