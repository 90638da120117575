#include "win32/main/DrawnAccessible.h"

namespace qw::win32 {

namespace {

VARIANT Number(long value) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = value;
    return v;
}

VARIANT Nothing() {
    VARIANT v;
    VariantInit(&v);
    return v;
}

}  // namespace

DrawnAccessible::DrawnAccessible(HWND window, AccessibleParts& parts) : window_(window), parts_(&parts) {}

void DrawnAccessible::Disconnect() {
    parts_ = nullptr;
    standard_.Reset();
}

LRESULT DrawnAccessible::Reply(WPARAM wParam) { return LresultFromObject(__uuidof(IAccessible), wParam, this); }

void DrawnAccessible::NotifyFocus(HWND window, long part) {
    NotifyWinEvent(EVENT_OBJECT_FOCUS, window, OBJID_CLIENT, part > 0 ? part : CHILDID_SELF);
}

void DrawnAccessible::NotifySelection(HWND window, long part) {
    if (part > 0) NotifyWinEvent(EVENT_OBJECT_SELECTION, window, OBJID_CLIENT, part);
}

IAccessible* DrawnAccessible::Standard() {
    if (!standard_ && parts_)
        CreateStdAccessibleObject(window_, OBJID_CLIENT, __uuidof(IAccessible),
                                  reinterpret_cast<void**>(standard_.GetAddressOf()));
    return standard_.Get();
}

long DrawnAccessible::PartOf(const VARIANT& child) const {
    if (!parts_ || child.vt != VT_I4) return -1;
    if (child.lVal == CHILDID_SELF) return 0;
    return child.lVal >= 1 && child.lVal <= parts_->PartCount() ? child.lVal : -1;
}

HRESULT DrawnAccessible::Text(const std::wstring& text, BSTR* out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (text.empty()) return S_FALSE;
    *out = SysAllocString(text.c_str());
    return *out ? S_OK : E_OUTOFMEMORY;
}

// ---------------------------------------------------------------- IUnknown, IDispatch

HRESULT DrawnAccessible::QueryInterface(REFIID iid, void** object) {
    if (!object) return E_POINTER;
    if (iid == __uuidof(IUnknown) || iid == __uuidof(IDispatch) || iid == __uuidof(IAccessible)) {
        *object = static_cast<IAccessible*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG DrawnAccessible::AddRef() { return ++references_; }

ULONG DrawnAccessible::Release() {
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
}

HRESULT DrawnAccessible::GetTypeInfoCount(UINT* count) {
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
}
HRESULT DrawnAccessible::GetTypeInfo(UINT, LCID, ITypeInfo**) { return E_NOTIMPL; }
HRESULT DrawnAccessible::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) { return E_NOTIMPL; }
HRESULT DrawnAccessible::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) {
    return E_NOTIMPL;
}

// ---------------------------------------------------------------- IAccessible

HRESULT DrawnAccessible::get_accParent(IDispatch** parent) {
    if (!parent) return E_POINTER;
    *parent = nullptr;
    IAccessible* standard = Standard();
    return standard ? standard->get_accParent(parent) : RPC_E_DISCONNECTED;
}

HRESULT DrawnAccessible::get_accChildCount(long* count) {
    if (!count) return E_POINTER;
    if (!parts_) return RPC_E_DISCONNECTED;
    *count = parts_->PartCount();
    return S_OK;
}

HRESULT DrawnAccessible::get_accChild(VARIANT child, IDispatch** object) {
    if (!object) return E_POINTER;
    *object = nullptr;
    // The parts are simple elements of this object, not objects of their own.
    return PartOf(child) > 0 ? S_FALSE : E_INVALIDARG;
}

HRESULT DrawnAccessible::get_accName(VARIANT child, BSTR* name) {
    const long part = PartOf(child);
    if (part < 0) return E_INVALIDARG;
    if (part == 0) return Text({}, name);
    return Text(parts_->PartName(part), name);
}

HRESULT DrawnAccessible::get_accValue(VARIANT child, BSTR* value) {
    if (PartOf(child) < 0) return E_INVALIDARG;
    if (value) *value = nullptr;
    return DISP_E_MEMBERNOTFOUND;
}

HRESULT DrawnAccessible::get_accDescription(VARIANT child, BSTR* description) {
    const long part = PartOf(child);
    if (part < 0) return E_INVALIDARG;
    return Text(part ? parts_->PartDescription(part) : std::wstring(), description);
}

HRESULT DrawnAccessible::get_accRole(VARIANT child, VARIANT* role) {
    const long part = PartOf(child);
    if (part < 0) return E_INVALIDARG;
    if (!role) return E_POINTER;
    *role = Number(part ? parts_->PartRole(part) : parts_->OwnRole());
    return S_OK;
}

HRESULT DrawnAccessible::get_accState(VARIANT child, VARIANT* state) {
    const long part = PartOf(child);
    if (part < 0) return E_INVALIDARG;
    if (!state) return E_POINTER;
    const bool focused = GetFocus() == window_;
    long bits = STATE_SYSTEM_FOCUSABLE | (focused && part == 0 ? STATE_SYSTEM_FOCUSED : 0);
    if (part) {
        bits = parts_->PartState(part);
        if (focused && parts_->FocusedPart() == part) bits |= STATE_SYSTEM_FOCUSED;
        if (parts_->SelectedPart() == part) bits |= STATE_SYSTEM_SELECTED;
    }
    if (!IsWindowVisible(window_)) bits |= STATE_SYSTEM_INVISIBLE;
    *state = Number(bits);
    return S_OK;
}

HRESULT DrawnAccessible::get_accHelp(VARIANT child, BSTR* help) {
    if (PartOf(child) < 0) return E_INVALIDARG;
    return Text({}, help);
}

HRESULT DrawnAccessible::get_accHelpTopic(BSTR* file, VARIANT, long* topic) {
    if (file) *file = nullptr;
    if (topic) *topic = 0;
    return DISP_E_MEMBERNOTFOUND;
}

HRESULT DrawnAccessible::get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) {
    if (PartOf(child) < 0) return E_INVALIDARG;
    return Text({}, shortcut);
}

HRESULT DrawnAccessible::get_accFocus(VARIANT* child) {
    if (!child) return E_POINTER;
    if (!parts_) return RPC_E_DISCONNECTED;
    *child = Nothing();
    if (GetFocus() != window_) return S_FALSE;
    const long part = parts_->FocusedPart();
    *child = Number(part > 0 ? part : CHILDID_SELF);
    return S_OK;
}

HRESULT DrawnAccessible::get_accSelection(VARIANT* children) {
    if (!children) return E_POINTER;
    if (!parts_) return RPC_E_DISCONNECTED;
    const long part = parts_->SelectedPart();
    *children = part > 0 ? Number(part) : Nothing();
    return part > 0 ? S_OK : S_FALSE;
}

HRESULT DrawnAccessible::get_accDefaultAction(VARIANT child, BSTR* action) {
    const long part = PartOf(child);
    if (part < 0) return E_INVALIDARG;
    return Text(part ? parts_->PartAction(part) : std::wstring(), action);
}

HRESULT DrawnAccessible::accSelect(long flags, VARIANT child) {
    if (PartOf(child) < 0) return E_INVALIDARG;
    if (flags == SELFLAG_TAKEFOCUS && PartOf(child) == 0) {
        SetFocus(window_);
        return S_OK;
    }
    return DISP_E_MEMBERNOTFOUND;
}

HRESULT DrawnAccessible::accLocation(long* left, long* top, long* width, long* height, VARIANT child) {
    const long part = PartOf(child);
    if (part < 0) return E_INVALIDARG;
    if (!left || !top || !width || !height) return E_POINTER;
    RECT place{};
    if (part == 0)
        GetClientRect(window_, &place);
    else
        place = parts_->PartPlace(part);
    MapWindowPoints(window_, nullptr, reinterpret_cast<POINT*>(&place), 2);
    *left = place.left;
    *top = place.top;
    *width = place.right - place.left;
    *height = place.bottom - place.top;
    return S_OK;
}

HRESULT DrawnAccessible::accNavigate(long direction, VARIANT start, VARIANT* end) {
    const long part = PartOf(start);
    if (part < 0) return E_INVALIDARG;
    if (!end) return E_POINTER;
    *end = Nothing();
    const long count = parts_->PartCount();
    long to = 0;
    if (part == 0) {
        if (direction == NAVDIR_FIRSTCHILD) to = count ? 1 : 0;
        else if (direction == NAVDIR_LASTCHILD) to = count;
        else if (IAccessible* standard = Standard()) return standard->accNavigate(direction, start, end);
    } else if (direction == NAVDIR_NEXT || direction == NAVDIR_DOWN || direction == NAVDIR_RIGHT) {
        to = part < count ? part + 1 : 0;
    } else if (direction == NAVDIR_PREVIOUS || direction == NAVDIR_UP || direction == NAVDIR_LEFT) {
        to = part - 1;
    }
    if (to <= 0) return S_FALSE;
    *end = Number(to);
    return S_OK;
}

HRESULT DrawnAccessible::accHitTest(long x, long y, VARIANT* child) {
    if (!child) return E_POINTER;
    if (!parts_) return RPC_E_DISCONNECTED;
    *child = Nothing();
    POINT at{x, y};
    ScreenToClient(window_, &at);
    RECT client;
    GetClientRect(window_, &client);
    if (!PtInRect(&client, at)) return S_FALSE;
    for (long part = 1; part <= parts_->PartCount(); ++part) {
        const RECT place = parts_->PartPlace(part);
        if (PtInRect(&place, at)) {
            *child = Number(part);
            return S_OK;
        }
    }
    *child = Number(CHILDID_SELF);
    return S_OK;
}

HRESULT DrawnAccessible::accDoDefaultAction(VARIANT child) {
    const long part = PartOf(child);
    if (part < 0) return E_INVALIDARG;
    if (part == 0 || !parts_->RunPartAction(part)) return DISP_E_MEMBERNOTFOUND;
    return S_OK;
}

HRESULT DrawnAccessible::put_accName(VARIANT, BSTR) { return E_NOTIMPL; }
HRESULT DrawnAccessible::put_accValue(VARIANT, BSTR) { return E_NOTIMPL; }

// ---------------------------------------------------------------- the control's hold

std::optional<LRESULT> AccessibleHold::Answer(HWND window, AccessibleParts& parts, WPARAM wParam, LPARAM lParam) {
    if (static_cast<DWORD>(lParam) != static_cast<DWORD>(OBJID_CLIENT)) return std::nullopt;
    if (!object_) object_ = new DrawnAccessible(window, parts);
    return object_->Reply(wParam);
}

void AccessibleHold::Reset() {
    if (!object_) return;
    object_->Disconnect();
    object_->Release();
    object_ = nullptr;
}

}  // namespace qw::win32
