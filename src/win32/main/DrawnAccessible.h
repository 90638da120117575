#pragma once
// The accessible object (MSAA IAccessible) of a control that draws its own
// parts, which a screen reader therefore cannot find as windows: the control
// describes its parts as numbered children, and this object answers for them.
// What concerns the control as a window (its parent, its place among its
// siblings) is answered by the system's own object for the window.

#include <windows.h>
#include <oleacc.h>

#include <wrl/client.h>

#include <optional>
#include <string>

namespace qw::win32 {

// What a drawn control tells about its parts, numbered from 1.
class AccessibleParts {
public:
    virtual long PartCount() const = 0;
    virtual std::wstring PartName(long part) const = 0;
    virtual std::wstring PartDescription(long) const { return {}; }
    virtual long PartRole(long part) const = 0;
    // The part's own state; focus and selection are added from the two below.
    virtual long PartState(long part) const = 0;
    virtual RECT PartPlace(long part) const = 0;  // client coordinates
    // "" for a part without an action.
    virtual std::wstring PartAction(long part) const = 0;
    // Runs the action later, from the control's own messages: a screen
    // reader waits for this call, and the action may open a dialog.
    virtual bool RunPartAction(long part) = 0;
    virtual long FocusedPart() const = 0;   // 0 for none
    virtual long SelectedPart() const { return 0; }
    virtual long OwnRole() const = 0;       // of the control as a whole

protected:
    ~AccessibleParts() = default;
};

class DrawnAccessible final : public IAccessible {
public:
    // Answers WM_GETOBJECT for the window's client area; the parts must stay
    // until Disconnect.
    DrawnAccessible(HWND window, AccessibleParts& parts);
    // The control is going: later calls fail, as they do for a gone window.
    void Disconnect();
    // The reply to WM_GETOBJECT.
    LRESULT Reply(WPARAM wParam);
    // Tells a screen reader that the focus or the selection moved to the part.
    static void NotifyFocus(HWND window, long part);
    static void NotifySelection(HWND window, long part);

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    // IDispatch: no type information; screen readers call IAccessible directly.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override;
    // IAccessible
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override;
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override;
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override;
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override;
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override;
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override;
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override;
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override;
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override;
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override;
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override;
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override;
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override;
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override;
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override;
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height, VARIANT child) override;
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override;
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* child) override;
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override;
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override;
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override;

private:
    ~DrawnAccessible() = default;
    // The part a VARIANT names: 0 for the control itself, -1 for none.
    long PartOf(const VARIANT& child) const;
    IAccessible* Standard();
    static HRESULT Text(const std::wstring& text, BSTR* out);

    ULONG references_ = 1;
    HWND window_;
    AccessibleParts* parts_;
    Microsoft::WRL::ComPtr<IAccessible> standard_;
};

// The control's hold on its accessible object: made at the first request,
// disconnected and let go with the control.
class AccessibleHold {
public:
    AccessibleHold() = default;
    ~AccessibleHold() { Reset(); }
    AccessibleHold(const AccessibleHold&) = delete;
    AccessibleHold& operator=(const AccessibleHold&) = delete;

    // The reply to WM_GETOBJECT for the client area; nothing for other objects.
    std::optional<LRESULT> Answer(HWND window, AccessibleParts& parts, WPARAM wParam, LPARAM lParam);
    void Reset();

private:
    DrawnAccessible* object_ = nullptr;
};

}  // namespace qw::win32
