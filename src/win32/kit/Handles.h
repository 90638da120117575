#pragma once
// Owners of the handles the programs get from Windows: each is released
// exactly once, by the owner that holds it, also when an exception leaves the
// scope early. Nothing outside this file closes, deletes or destroys a
// handle by hand.
//
//   KernelHandle   files and processes (CloseHandle)
//   FindHandle     folder listings (FindClose)
//   RegistryKey    open registry keys (RegCloseKey)
//   Font, Brush, Bitmap, Region   GDI objects (DeleteObject)
//   Icon           icons made by the program (DestroyIcon)
//   OwnedWindow    top-level and pop-up windows (DestroyWindow)
//   MemoryDC       off-screen device contexts (DeleteDC)
//   PrinterDC      printer device contexts (DeleteDC)
//   PrinterHandle  open printers (ClosePrinter)
//   GlobalMemory   movable memory not yet handed to the clipboard (GlobalFree)
//   Module         libraries loaded at run time (FreeLibrary)
//   ImageList, PopupMenu
//   ClientDC       a window's or the screen's device context (ReleaseDC)
//   Selection      an object selected into a DC, put back at the end
//   BufferedPaint  off-screen drawing copied to the target at the end
//   ComScope       COM for the thread while a scope lasts (CoUninitialize)

#include <windows.h>
#include <commctrl.h>
#include <objbase.h>
#include <winspool.h>

#include <atomic>
#include <utility>

namespace qw::win32 {

// Every owner counts the handles of its kind it holds, so a program that runs
// for weeks can show that none piles up (Windows' own object counts are not
// available everywhere).
enum class HandleKind {
    Kernel, Find, ChangeNotification, RegistryKey, Font, Brush, Bitmap, Region, OtherGdiObject, Icon, Window,
    MemoryDC, PrinterDC, ImageList, Menu, Printer, GlobalMemory, Module, ClientDC,
    Count
};
const char* HandleKindName(HandleKind kind) noexcept;
// The handles of the kind held by owners right now.
long LiveHandles(HandleKind kind) noexcept;

namespace handle_counts {
inline std::atomic<long> live[static_cast<int>(HandleKind::Count)];
inline void Add(HandleKind kind, long delta) noexcept {
    live[static_cast<int>(kind)].fetch_add(delta, std::memory_order_relaxed);
}
}  // namespace handle_counts

// A handle of the kind the traits describe: empty, or owned and released
// when the owner goes or is given another handle.
template <typename Traits>
class Owned {
public:
    using Handle = typename Traits::Handle;

    Owned() noexcept = default;
    explicit Owned(Handle handle) noexcept : handle_(handle) { Counted(handle_, 1); }
    ~Owned() { Reset(); }
    Owned(Owned&& other) noexcept : handle_(std::exchange(other.handle_, Traits::Empty())) {}
    Owned& operator=(Owned&& other) noexcept {
        if (this != &other) Reset(other.Release());
        return *this;
    }
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;

    Handle Get() const noexcept { return handle_; }
    explicit operator bool() const noexcept { return Traits::Valid(handle_); }

    // Gives the handle up without releasing it.
    Handle Release() noexcept {
        Counted(handle_, -1);
        return std::exchange(handle_, Traits::Empty());
    }
    void Reset(Handle handle = Traits::Empty()) noexcept {
        if (Traits::Valid(handle_)) {
            Traits::Close(handle_);
            Counted(handle_, -1);
        }
        handle_ = handle;
        Counted(handle_, 1);
    }
    // For calls that hand a new handle out through a pointer: what the call
    // wrote is counted at the end of the statement.
    class Receiver {
    public:
        explicit Receiver(Owned& owner) noexcept : owner_(owner) {}
        ~Receiver() { Counted(owner_.handle_, 1); }
        Receiver(const Receiver&) = delete;
        Receiver& operator=(const Receiver&) = delete;
        operator Handle*() const noexcept { return &owner_.handle_; }

    private:
        Owned& owner_;
    };
    Receiver Receive() noexcept {
        Reset();
        return Receiver(*this);
    }

private:
    static void Counted(Handle handle, long delta) noexcept {
        if (Traits::Valid(handle)) handle_counts::Add(Traits::Kind, delta);
    }
    Handle handle_ = Traits::Empty();
};

namespace handle_traits {

// CreateFileW reports failure as INVALID_HANDLE_VALUE, most others as null.
struct Kernel {
    using Handle = HANDLE;
    static constexpr HandleKind Kind = HandleKind::Kernel;
    static Handle Empty() noexcept { return nullptr; }
    static bool Valid(Handle h) noexcept { return h != nullptr && h != INVALID_HANDLE_VALUE; }
    static void Close(Handle h) noexcept { CloseHandle(h); }
};

struct Find {
    using Handle = HANDLE;
    static constexpr HandleKind Kind = HandleKind::Find;
    static Handle Empty() noexcept { return INVALID_HANDLE_VALUE; }
    static bool Valid(Handle h) noexcept { return h != nullptr && h != INVALID_HANDLE_VALUE; }
    static void Close(Handle h) noexcept { FindClose(h); }
};

struct ChangeNotification {
    using Handle = HANDLE;
    static constexpr HandleKind Kind = HandleKind::ChangeNotification;
    static Handle Empty() noexcept { return INVALID_HANDLE_VALUE; }
    static bool Valid(Handle h) noexcept { return h != nullptr && h != INVALID_HANDLE_VALUE; }
    static void Close(Handle h) noexcept { FindCloseChangeNotification(h); }
};

template <typename H, typename Closer, HandleKind K>
struct Pointer {
    using Handle = H;
    static constexpr HandleKind Kind = K;
    static Handle Empty() noexcept { return nullptr; }
    static bool Valid(Handle h) noexcept { return h != nullptr; }
    static void Close(Handle h) noexcept { Closer{}(h); }
};

struct CloseKey {
    void operator()(HKEY h) const noexcept { RegCloseKey(h); }
};
struct DeleteGdiObject {
    void operator()(HGDIOBJ h) const noexcept { DeleteObject(h); }
};
struct DestroyIconHandle {
    void operator()(HICON h) const noexcept { DestroyIcon(h); }
};
struct DestroyWindowHandle {
    void operator()(HWND h) const noexcept {
        if (IsWindow(h)) DestroyWindow(h);
    }
};
struct DeleteMemoryDC {
    void operator()(HDC h) const noexcept { DeleteDC(h); }
};
struct DestroyImageList {
    void operator()(HIMAGELIST h) const noexcept { ImageList_Destroy(h); }
};
struct DestroyMenuHandle {
    void operator()(HMENU h) const noexcept { DestroyMenu(h); }
};
struct ClosePrinterHandle {
    void operator()(HANDLE h) const noexcept { ClosePrinter(h); }
};
struct FreeGlobal {
    void operator()(HGLOBAL h) const noexcept { GlobalFree(h); }
};
struct FreeModule {
    void operator()(HMODULE h) const noexcept { FreeLibrary(h); }
};

template <typename T>
constexpr HandleKind GdiKind = HandleKind::OtherGdiObject;
template <>
inline constexpr HandleKind GdiKind<HFONT> = HandleKind::Font;
template <>
inline constexpr HandleKind GdiKind<HBRUSH> = HandleKind::Brush;
template <>
inline constexpr HandleKind GdiKind<HBITMAP> = HandleKind::Bitmap;
template <>
inline constexpr HandleKind GdiKind<HRGN> = HandleKind::Region;

}  // namespace handle_traits

using KernelHandle = Owned<handle_traits::Kernel>;
using FindHandle = Owned<handle_traits::Find>;
using ChangeNotificationHandle = Owned<handle_traits::ChangeNotification>;
using RegistryKey = Owned<handle_traits::Pointer<HKEY, handle_traits::CloseKey, HandleKind::RegistryKey>>;
template <typename T>
using GdiObject = Owned<handle_traits::Pointer<T, handle_traits::DeleteGdiObject, handle_traits::GdiKind<T>>>;
using Font = GdiObject<HFONT>;
using Brush = GdiObject<HBRUSH>;
using Bitmap = GdiObject<HBITMAP>;
using Region = GdiObject<HRGN>;
using Icon = Owned<handle_traits::Pointer<HICON, handle_traits::DestroyIconHandle, HandleKind::Icon>>;
using OwnedWindow = Owned<handle_traits::Pointer<HWND, handle_traits::DestroyWindowHandle, HandleKind::Window>>;
using MemoryDC = Owned<handle_traits::Pointer<HDC, handle_traits::DeleteMemoryDC, HandleKind::MemoryDC>>;
using ImageList = Owned<handle_traits::Pointer<HIMAGELIST, handle_traits::DestroyImageList, HandleKind::ImageList>>;
using PopupMenu = Owned<handle_traits::Pointer<HMENU, handle_traits::DestroyMenuHandle, HandleKind::Menu>>;
using PrinterDC = Owned<handle_traits::Pointer<HDC, handle_traits::DeleteMemoryDC, HandleKind::PrinterDC>>;
using PrinterHandle = Owned<handle_traits::Pointer<HANDLE, handle_traits::ClosePrinterHandle, HandleKind::Printer>>;
using GlobalMemory = Owned<handle_traits::Pointer<HGLOBAL, handle_traits::FreeGlobal, HandleKind::GlobalMemory>>;
using Module = Owned<handle_traits::Pointer<HMODULE, handle_traits::FreeModule, HandleKind::Module>>;

// The device context of a window's client area, or of the screen for nullptr.
class ClientDC {
public:
    explicit ClientDC(HWND window = nullptr) noexcept : window_(window), dc_(GetDC(window)) {
        if (dc_) handle_counts::Add(HandleKind::ClientDC, 1);
    }
    ~ClientDC() {
        if (!dc_) return;
        ReleaseDC(window_, dc_);
        handle_counts::Add(HandleKind::ClientDC, -1);
    }
    ClientDC(const ClientDC&) = delete;
    ClientDC& operator=(const ClientDC&) = delete;

    HDC Get() const noexcept { return dc_; }
    explicit operator bool() const noexcept { return dc_ != nullptr; }

private:
    HWND window_;
    HDC dc_;
};

// Selects an object into a DC and puts the previous one back at the end, so
// the DC never holds an object that is about to be deleted.
class Selection {
public:
    Selection(HDC dc, HGDIOBJ object) noexcept : dc_(dc), previous_(dc && object ? SelectObject(dc, object) : nullptr) {}
    ~Selection() {
        if (previous_) SelectObject(dc_, previous_);
    }
    Selection(const Selection&) = delete;
    Selection& operator=(const Selection&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// Drawing of one area that goes to an off-screen bitmap first and reaches the
// target in one copy at the end, so nothing flickers. Coordinates stay those
// of the target. When no bitmap can be had (out of GDI resources), drawing
// goes straight to the target instead.
class BufferedPaint {
public:
    BufferedPaint(HDC target, const RECT& area) noexcept;
    ~BufferedPaint();
    BufferedPaint(const BufferedPaint&) = delete;
    BufferedPaint& operator=(const BufferedPaint&) = delete;

    // Where to draw; nullptr for an empty area.
    HDC DC() const noexcept { return buffer_ ? memory_.Get() : area_.right > area_.left ? target_ : nullptr; }

private:
    HDC target_;
    RECT area_;
    MemoryDC memory_;
    Bitmap buffer_;
    HGDIOBJ previous_ = nullptr;
};

// The paint cycle of WM_PAINT: BeginPaint at construction, EndPaint at the end.
class PaintScope {
public:
    explicit PaintScope(HWND window) noexcept : window_(window) { BeginPaint(window, &paint_); }
    ~PaintScope() { EndPaint(window_, &paint_); }
    PaintScope(const PaintScope&) = delete;
    PaintScope& operator=(const PaintScope&) = delete;

    HDC DC() const noexcept { return paint_.hdc; }
    const RECT& Area() const noexcept { return paint_.rcPaint; }

private:
    HWND window_;
    PAINTSTRUCT paint_{};
};

// COM for the calling thread, apartment-threaded, while the scope lasts. A
// thread that has COM already keeps it as it is; one that is multithreaded
// (RPC_E_CHANGED_MODE) works for every use the programs make of it.
class ComScope {
public:
    ComScope() noexcept : result_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ~ComScope() {
        if (SUCCEEDED(result_)) CoUninitialize();
    }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;

    bool Usable() const noexcept { return SUCCEEDED(result_) || result_ == RPC_E_CHANGED_MODE; }
    HRESULT Result() const noexcept { return result_; }

private:
    HRESULT result_;
};

}  // namespace qw::win32
