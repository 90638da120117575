#include "win32/kit/Handles.h"

#include <iterator>

namespace qw::win32 {

const char* HandleKindName(HandleKind kind) noexcept {
    static const char* const names[] = {"kernel objects", "folder listings", "change notifications",
                                        "registry keys", "fonts", "brushes", "bitmaps", "regions",
                                        "other GDI objects", "icons", "windows", "memory DCs", "printer DCs",
                                        "image lists", "menus", "printers", "global memory", "modules",
                                        "window DCs"};
    static_assert(std::size(names) == static_cast<size_t>(HandleKind::Count));
    const auto index = static_cast<size_t>(kind);
    return index < std::size(names) ? names[index] : "?";
}

long LiveHandles(HandleKind kind) noexcept {
    const auto index = static_cast<size_t>(kind);
    return index < static_cast<size_t>(HandleKind::Count) ? handle_counts::live[index].load() : 0;
}

BufferedPaint::BufferedPaint(HDC target, const RECT& area) noexcept : target_(target), area_(area) {
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    if (!target || width <= 0 || height <= 0) {
        area_ = {};
        return;
    }
    memory_.Reset(CreateCompatibleDC(target));
    if (memory_) buffer_.Reset(CreateCompatibleBitmap(target, width, height));
    if (!buffer_) return;
    previous_ = SelectObject(memory_.Get(), buffer_.Get());
    // The caller draws in the target's coordinates; the bitmap holds the area only.
    SetViewportOrgEx(memory_.Get(), -area.left, -area.top, nullptr);
}

BufferedPaint::~BufferedPaint() {
    if (!buffer_) return;
    SetViewportOrgEx(memory_.Get(), 0, 0, nullptr);
    BitBlt(target_, area_.left, area_.top, area_.right - area_.left, area_.bottom - area_.top, memory_.Get(), 0, 0,
           SRCCOPY);
    SelectObject(memory_.Get(), previous_);
}

}  // namespace qw::win32
