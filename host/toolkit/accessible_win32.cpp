#include "accessible_win32.h"

#include <ole2.h>
#include <oleacc.h>

#include <vector>

namespace vantrel::toolkit {
namespace {

// The states an AccessStates says; the system's others (invisible,
// off-screen) are kept.
constexpr LONG kToldStates = STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_FOCUSED | STATE_SYSTEM_PRESSED |
                             STATE_SYSTEM_UNAVAILABLE | STATE_SYSTEM_DEFAULT | STATE_SYSTEM_CHECKED;

LONG RoleOf(AccessRole role) {
  switch (role) {
    case AccessRole::kText:
      return ROLE_SYSTEM_STATICTEXT;
    case AccessRole::kLink:
      return ROLE_SYSTEM_LINK;
    case AccessRole::kPushButton:
      return ROLE_SYSTEM_PUSHBUTTON;
    case AccessRole::kRadioButton:
      return ROLE_SYSTEM_RADIOBUTTON;
    case AccessRole::kGrouping:
      return ROLE_SYSTEM_GROUPING;
    case AccessRole::kNone:
      break;
  }
  return ROLE_SYSTEM_CLIENT;
}

LONG StatesOf(const AccessStates& s) {
  return (s.focusable ? STATE_SYSTEM_FOCUSABLE : 0) | (s.focused ? STATE_SYSTEM_FOCUSED : 0) |
         (s.pressed ? STATE_SYSTEM_PRESSED : 0) | (s.unavailable ? STATE_SYSTEM_UNAVAILABLE : 0) |
         (s.is_default ? STATE_SYSTEM_DEFAULT : 0) | (s.checked ? STATE_SYSTEM_CHECKED : 0);
}

// A child's states: what it says, and what its role always is.
LONG ChildStatesOf(const AccessItem& item) {
  const LONG told = item.states ? StatesOf(*item.states) : 0;
  if (item.role == AccessRole::kText) return told | STATE_SYSTEM_READONLY;
  if (item.role == AccessRole::kLink) return told | STATE_SYSTEM_LINKED;
  return told;
}

const wchar_t* ActionOf(AccessRole role) {
  switch (role) {
    case AccessRole::kPushButton:
      return L"押す";
    case AccessRole::kRadioButton:
      return L"チェック";
    case AccessRole::kLink:
      return L"ジャンプ";
    default:
      return nullptr;
  }
}

HRESULT Give(const std::wstring& text, BSTR* out) {
  *out = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
  return *out ? S_OK : E_OUTOFMEMORY;
}

HRESULT GiveNothing(BSTR* out) {
  *out = nullptr;
  return S_FALSE;
}

VARIANT ChildId(LONG id) {
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_I4;
  v.lVal = id;
  return v;
}

bool IsClientRequest(LPARAM lparam) {
  return static_cast<DWORD>(lparam) == static_cast<DWORD>(OBJID_CLIENT);
}

}  // namespace

// COM's interfaces have no virtual destructor by design: an object ends
// through its own Release, never through a delete of an interface.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
// The system's object for a window's client area with its source laid over
// it; its own children enumerable with the system's.
class AccessibleObject final : public IAccessible, public IOleWindow, public IEnumVARIANT {
 public:
  // With one reference, the caller's; null when the system has no object.
  static AccessibleObject* Create(HWND window, AccessSource& source) {
    IAccessible* system = nullptr;
    if (FAILED(CreateStdAccessibleObject(window, OBJID_CLIENT, IID_IAccessible,
                                         reinterpret_cast<void**>(&system))) ||
        !system) {
      return nullptr;
    }
    return new AccessibleObject(window, source, system);
  }

  void Disconnect() {
    source_ = nullptr;
    if (system_) system_->Release();
    system_ = nullptr;
    CoDisconnectObject(static_cast<IAccessible*>(this), 0);
  }

  // IUnknown
  STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IDispatch || iid == IID_IAccessible) {
      *out = static_cast<IAccessible*>(this);
    } else if (iid == IID_IOleWindow) {
      *out = static_cast<IOleWindow*>(this);
    } else if (iid == IID_IEnumVARIANT) {
      *out = static_cast<IEnumVARIANT*>(this);
    } else {
      *out = nullptr;
      return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
  }
  STDMETHODIMP_(ULONG) AddRef() override {
    return static_cast<ULONG>(InterlockedIncrement(&refs_));
  }
  STDMETHODIMP_(ULONG) Release() override {
    const LONG refs = InterlockedDecrement(&refs_);
    if (refs == 0) delete this;
    return static_cast<ULONG>(refs);
  }

  // IDispatch: readers call IAccessible directly.
  STDMETHODIMP GetTypeInfoCount(UINT* count) override {
    if (count) *count = 0;
    return S_OK;
  }
  STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  STDMETHODIMP Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                      UINT*) override {
    return E_NOTIMPL;
  }

  // IAccessible
  STDMETHODIMP get_accParent(IDispatch** parent) override {
    if (!source_) return RPC_E_DISCONNECTED;
    return system_->get_accParent(parent);
  }
  STDMETHODIMP get_accChildCount(LONG* count) override {
    if (!source_) return RPC_E_DISCONNECTED;
    *count = SystemCount() + source_->AccessChildCount();
    return S_OK;
  }
  STDMETHODIMP get_accChild(VARIANT id, IDispatch** child) override {
    if (!source_) return RPC_E_DISCONNECTED;
    if (SimpleChild(id) < 0) return system_->get_accChild(id, child);
    *child = nullptr;  // a simple child has no object of its own
    return S_FALSE;
  }
  STDMETHODIMP get_accName(VARIANT id, BSTR* name) override {
    if (!source_) return RPC_E_DISCONNECTED;
    const std::optional<AccessItem> item = ItemOf(id);
    if (item && item->name) return Give(*item->name, name);
    return item && !IsSelf(id) ? GiveNothing(name) : system_->get_accName(id, name);
  }
  STDMETHODIMP get_accValue(VARIANT id, BSTR* value) override {
    if (!source_) return RPC_E_DISCONNECTED;
    return SimpleChild(id) >= 0 ? GiveNothing(value) : system_->get_accValue(id, value);
  }
  STDMETHODIMP get_accDescription(VARIANT id, BSTR* text) override {
    if (!source_) return RPC_E_DISCONNECTED;
    return SimpleChild(id) >= 0 ? GiveNothing(text) : system_->get_accDescription(id, text);
  }
  STDMETHODIMP get_accRole(VARIANT id, VARIANT* role) override {
    if (!source_) return RPC_E_DISCONNECTED;
    const std::optional<AccessItem> item = ItemOf(id);
    if (!item || item->role == AccessRole::kNone) return system_->get_accRole(id, role);
    *role = ChildId(RoleOf(item->role));
    return S_OK;
  }
  STDMETHODIMP get_accState(VARIANT id, VARIANT* state) override {
    if (!source_) return RPC_E_DISCONNECTED;
    const std::optional<AccessItem> item = ItemOf(id);
    if (item && !IsSelf(id)) {
      *state = ChildId(ChildStatesOf(*item));
      return S_OK;
    }
    const HRESULT result = system_->get_accState(id, state);
    if (item && item->states && SUCCEEDED(result) && state->vt == VT_I4) {
      state->lVal = (state->lVal & ~kToldStates) | StatesOf(*item->states);
    }
    return result;
  }
  STDMETHODIMP get_accHelp(VARIANT id, BSTR* help) override {
    if (!source_) return RPC_E_DISCONNECTED;
    return SimpleChild(id) >= 0 ? GiveNothing(help) : system_->get_accHelp(id, help);
  }
  STDMETHODIMP get_accHelpTopic(BSTR* file, VARIANT id, LONG* topic) override {
    if (!source_) return RPC_E_DISCONNECTED;
    if (SimpleChild(id) < 0) return system_->get_accHelpTopic(file, id, topic);
    *topic = -1;
    return GiveNothing(file);
  }
  STDMETHODIMP get_accKeyboardShortcut(VARIANT id, BSTR* keys) override {
    if (!source_) return RPC_E_DISCONNECTED;
    return SimpleChild(id) >= 0 ? GiveNothing(keys) : system_->get_accKeyboardShortcut(id, keys);
  }
  STDMETHODIMP get_accFocus(VARIANT* focus) override {
    if (!source_) return RPC_E_DISCONNECTED;
    const int child = source_->AccessFocus();
    if (child < 0) return system_->get_accFocus(focus);
    *focus = ChildId(FirstSimple() + child);
    return S_OK;
  }
  STDMETHODIMP get_accSelection(VARIANT* selection) override {
    if (!source_) return RPC_E_DISCONNECTED;
    return system_->get_accSelection(selection);
  }
  STDMETHODIMP get_accDefaultAction(VARIANT id, BSTR* action) override {
    if (!source_) return RPC_E_DISCONNECTED;
    const std::optional<AccessItem> item = ItemOf(id);
    const wchar_t* ours = item ? ActionOf(item->role) : nullptr;
    if (ours) return Give(ours, action);
    return item && !IsSelf(id) ? GiveNothing(action) : system_->get_accDefaultAction(id, action);
  }
  STDMETHODIMP accSelect(LONG flags, VARIANT id) override {
    if (!source_) return RPC_E_DISCONNECTED;
    return SimpleChild(id) >= 0 ? DISP_E_MEMBERNOTFOUND : system_->accSelect(flags, id);
  }
  STDMETHODIMP accLocation(LONG* left, LONG* top, LONG* width, LONG* height, VARIANT id) override {
    if (!source_) return RPC_E_DISCONNECTED;
    const int index = SimpleChild(id);
    if (index < 0) return system_->accLocation(left, top, width, height, id);
    const RECT r = source_->AccessChild(index).screen;
    *left = r.left, *top = r.top, *width = r.right - r.left, *height = r.bottom - r.top;
    return S_OK;
  }
  STDMETHODIMP accNavigate(LONG direction, VARIANT start, VARIANT* end) override {
    if (!source_) return RPC_E_DISCONNECTED;
    const int index = SimpleChild(start);
    if (index < 0) return system_->accNavigate(direction, start, end);
    VariantInit(end);
    int to = index;
    if (direction == NAVDIR_NEXT || direction == NAVDIR_DOWN) ++to;
    if (direction == NAVDIR_PREVIOUS || direction == NAVDIR_UP) --to;
    if (to == index || to < 0 || to >= source_->AccessChildCount()) return S_FALSE;
    *end = ChildId(FirstSimple() + to);
    return S_OK;
  }
  STDMETHODIMP accHitTest(LONG x, LONG y, VARIANT* found) override {
    if (!source_) return RPC_E_DISCONNECTED;
    const POINT at{x, y};
    for (int i = 0; i < source_->AccessChildCount(); ++i) {
      const RECT r = source_->AccessChild(i).screen;
      if (!PtInRect(&r, at)) continue;
      *found = ChildId(FirstSimple() + i);
      return S_OK;
    }
    return system_->accHitTest(x, y, found);
  }
  STDMETHODIMP accDoDefaultAction(VARIANT id) override {
    if (!source_) return RPC_E_DISCONNECTED;
    const int index = IsSelf(id) ? -1 : SimpleChild(id);
    if ((index >= 0 || IsSelf(id)) && source_->DoAccessAction(index)) return S_OK;
    return index >= 0 ? DISP_E_MEMBERNOTFOUND : system_->accDoDefaultAction(id);
  }
  STDMETHODIMP put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
  STDMETHODIMP put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

  // IOleWindow: the window this object stands for.
  STDMETHODIMP GetWindow(HWND* window) override {
    if (!source_) return RPC_E_DISCONNECTED;
    *window = window_;
    return S_OK;
  }
  STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

  // IEnumVARIANT: the system's children, then the simple ones.
  STDMETHODIMP Next(ULONG count, VARIANT* children, ULONG* fetched) override;
  STDMETHODIMP Skip(ULONG count) override {
    if (!source_) return RPC_E_DISCONNECTED;
    const ULONG total = static_cast<ULONG>(SystemCount() + source_->AccessChildCount());
    const ULONG wanted = position_ + count;
    position_ = wanted < total ? wanted : total;
    return wanted <= total ? S_OK : S_FALSE;
  }
  STDMETHODIMP Reset() override {
    position_ = 0;
    return S_OK;
  }
  STDMETHODIMP Clone(IEnumVARIANT** copy) override {
    *copy = nullptr;
    return E_NOTIMPL;
  }

 private:
  AccessibleObject(HWND window, AccessSource& source, IAccessible* system)
      : window_(window), source_(&source), system_(system) {}
  ~AccessibleObject() {
    if (system_) system_->Release();
  }

  static bool IsSelf(const VARIANT& id) { return id.vt == VT_I4 && id.lVal == CHILDID_SELF; }
  LONG SystemCount() {
    LONG count = 0;
    return SUCCEEDED(system_->get_accChildCount(&count)) ? count : 0;
  }
  LONG FirstSimple() { return SystemCount() + 1; }
  // The index of the simple child `id` names; -1 for any other id.
  int SimpleChild(const VARIANT& id) {
    if (id.vt != VT_I4 || id.lVal == CHILDID_SELF) return -1;
    const LONG index = id.lVal - FirstSimple();
    return index >= 0 && index < source_->AccessChildCount() ? static_cast<int>(index) : -1;
  }
  // What the source says of the object itself or of a simple child.
  std::optional<AccessItem> ItemOf(const VARIANT& id) {
    if (IsSelf(id)) return source_->AccessSelf();
    const int index = SimpleChild(id);
    if (index < 0) return std::nullopt;
    return source_->AccessChild(index);
  }
  std::vector<VARIANT> AllChildren();

  LONG refs_ = 1;
  HWND window_;
  AccessSource* source_;
  IAccessible* system_;
  ULONG position_ = 0;
};
#pragma GCC diagnostic pop

std::vector<VARIANT> AccessibleObject::AllChildren() {
  std::vector<VARIANT> children;
  IEnumVARIANT* system_children = nullptr;
  if (SUCCEEDED(
          system_->QueryInterface(IID_IEnumVARIANT, reinterpret_cast<void**>(&system_children)))) {
    system_children->Reset();
    VARIANT child;
    VariantInit(&child);
    ULONG got = 0;
    while (system_children->Next(1, &child, &got) == S_OK && got == 1) {
      children.push_back(child);
      VariantInit(&child);
    }
    system_children->Release();
  } else {
    for (LONG id = 1; id <= SystemCount(); ++id) children.push_back(ChildId(id));
  }
  const LONG first = FirstSimple();
  for (int i = 0; i < source_->AccessChildCount(); ++i) children.push_back(ChildId(first + i));
  return children;
}

STDMETHODIMP AccessibleObject::Next(ULONG count, VARIANT* children, ULONG* fetched) {
  if (!source_) return RPC_E_DISCONNECTED;
  std::vector<VARIANT> all = AllChildren();
  ULONG given = 0;
  for (size_t i = 0; i < all.size(); ++i) {
    if (i >= position_ && given < count) {
      children[given++] = all[i];  // the reader owns it now
    } else {
      VariantClear(&all[i]);
    }
  }
  position_ += given;
  if (fetched) *fetched = given;
  return given == count ? S_OK : S_FALSE;
}

// ---- AccessibleClient

std::optional<LRESULT> AccessibleClient::Answer(HWND window, AccessSource& source, WPARAM wparam,
                                                LPARAM lparam) {
  if (!IsClientRequest(lparam)) return std::nullopt;
  if (!object_) object_ = AccessibleObject::Create(window, source);
  if (!object_) return std::nullopt;
  return LresultFromObject(IID_IAccessible, wparam, static_cast<IAccessible*>(object_));
}

void AccessibleClient::Disconnect() {
  if (!object_) return;
  object_->Disconnect();
  object_->Release();
  object_ = nullptr;
}

// ---- a name for a window of the system's classes

namespace {

constexpr const wchar_t* kNamedProperty = L"Vantrel.NamedForReaders";

struct NamedWindow final : AccessSource {
  std::wstring name;
  WNDPROC previous = nullptr;
  AccessibleClient client;
  AccessItem AccessSelf() override {
    AccessItem self;
    self.name = name;
    return self;
  }
};

LRESULT CALLBACK NamedProcedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* named = static_cast<NamedWindow*>(GetPropW(window, kNamedProperty));
  if (!named) return DefWindowProcW(window, message, wparam, lparam);
  if (message == WM_GETOBJECT) {
    if (const auto answer = named->client.Answer(window, *named, wparam, lparam)) return *answer;
  }
  const WNDPROC previous = named->previous;
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
    RemovePropW(window, kNamedProperty);
    delete named;
  }
  return CallWindowProcW(previous, window, message, wparam, lparam);
}

}  // namespace

void Name_For_Readers(HWND window, const std::wstring& name) {
  if (!window) return;
  if (auto* named = static_cast<NamedWindow*>(GetPropW(window, kNamedProperty))) {
    named->name = name;
    return;
  }
  auto* named = new NamedWindow;
  named->name = name;
  if (!SetPropW(window, kNamedProperty, named)) {
    delete named;
    return;
  }
  named->previous = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&NamedProcedure)));
}

void Tell_Readers(HWND window, DWORD event, long child) {
  if (window) NotifyWinEvent(event, window, OBJID_CLIENT, child);
}

ComApartment::ComApartment()
    : joined_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}

ComApartment::~ComApartment() {
  if (joined_) CoUninitialize();
}

}  // namespace vantrel::toolkit
