// The program list as an OLE drop target. It accepts any data, so that a drop of text reaches the list
// too and is answered there, and hands what was dropped on as a DropData.
#pragma once

#include <windows.h>

#include <ole2.h>

#include <functional>

#include "platform/drop_data.h"

namespace kw::win32 {

class ListDropTarget final : public IDropTarget {
public:
    explicit ListDropTarget(std::function<void(DropData)> onDrop) : onDrop_(std::move(onDrop)) {}
    ListDropTarget(const ListDropTarget&) = delete;
    ListDropTarget& operator=(const ListDropTarget&) = delete;
    ~ListDropTarget() = default;

    // The object belongs to its window and outlives the registration; the count only serves COM.
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override { return --references_; }

    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keys, POINTL point, DWORD* effect) override;
    HRESULT STDMETHODCALLTYPE DragOver(DWORD keys, POINTL point, DWORD* effect) override;
    HRESULT STDMETHODCALLTYPE DragLeave() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keys, POINTL point, DWORD* effect) override;

private:
    std::function<void(DropData)> onDrop_;
    ULONG references_ = 1;
};

}  // namespace kw::win32
