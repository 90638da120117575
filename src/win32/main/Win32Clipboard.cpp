#include "win32/main/Win32Clipboard.h"

#include <windows.h>

#include <cstring>
#include <stdexcept>

#include "win32/kit/Handles.h"
#include "win32/kit/Utf.h"
#include "win32/kit/Window.h"
#include "win32/main/PaintedPicture.h"

namespace qw::win32 {

namespace {

[[noreturn]] void Fail(const char* what) {
    throw std::runtime_error(std::string("The clipboard ") + what + ": " + ErrorText(GetLastError()));
}

// The clipboard stays open only while the data is handed over.
class OpenedClipboard {
public:
    explicit OpenedClipboard(HWND owner) {
        if (!OpenClipboard(owner)) Fail("cannot be opened");
    }
    ~OpenedClipboard() { CloseClipboard(); }
    OpenedClipboard(const OpenedClipboard&) = delete;
    OpenedClipboard& operator=(const OpenedClipboard&) = delete;
};

}  // namespace

// A message-only window: never shown, it only owns what is put on the clipboard.
class ClipboardOwner : public Window {
public:
    ClipboardOwner() {
        Create(GetModuleHandleW(nullptr), {.Name = L"QuillwaveClipboardOwner"}, {.Parent = HWND_MESSAGE});
    }
};

Win32Clipboard::Win32Clipboard() = default;
Win32Clipboard::~Win32Clipboard() = default;

void Win32Clipboard::PutPicture(const qw::Picture& picture) {
    const qw::PixelSize size = OwnPixelSize(picture);
    const PaintedPicture painted(picture, size.Width, size.Height);

    // A packed bitmap: the header, then the pixel rows.
    const std::size_t headerSize = sizeof(BITMAPINFOHEADER);
    GlobalMemory memory(GlobalAlloc(GMEM_MOVEABLE, headerSize + painted.BitsSize()));
    if (!memory) Fail("has no memory for the picture");
    void* data = GlobalLock(memory.Get());
    if (!data) Fail("has no memory for the picture");
    std::memcpy(data, &painted.Header(), headerSize);
    std::memcpy(static_cast<BYTE*>(data) + headerSize, painted.Bits(), painted.BitsSize());
    GlobalUnlock(memory.Get());

    if (!owner_) owner_ = std::make_unique<ClipboardOwner>();
    const OpenedClipboard clipboard(owner_->Handle());
    if (!EmptyClipboard()) Fail("cannot be emptied");
    if (!SetClipboardData(CF_DIB, memory.Get())) Fail("refused the picture");
    memory.Release();  // the clipboard owns it now
}

}  // namespace qw::win32
