#pragma once
// The IUnknown side of the program's own IAccessible objects: answered for IUnknown,
// IDispatch and IAccessible (and whatever OtherInterface adds), counted references, and
// deleted with the last one.
#include <oleacc.h>

class CountedAccessible : public IAccessible {
public:
    CountedAccessible() = default;
    CountedAccessible(const CountedAccessible&) = delete;
    CountedAccessible& operator=(const CountedAccessible&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) final
    {
        if (!object)
            return E_POINTER;
        if (id == __uuidof(IUnknown) || id == __uuidof(IDispatch) || id == __uuidof(IAccessible)) {
            *object = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return OtherInterface(id, object);
    }
    ULONG STDMETHODCALLTYPE AddRef() final { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() final
    {
        const ULONG left = --references_;
        if (left == 0)
            delete this;
        return left;
    }

protected:
    virtual ~CountedAccessible() = default;
    // Another interface the object answers for; none by default.
    virtual HRESULT OtherInterface(REFIID, void**) { return E_NOINTERFACE; }

private:
    ULONG references_ = 1;
};
