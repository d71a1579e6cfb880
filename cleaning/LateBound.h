#pragma once
// A system function that some of the Windows the program runs on lack, looked up by name
// in its DLL at first use instead of imported, so the program still loads where it is
// missing. A call table holds one per such function; a test can put a stand-in in its
// place, or nullptr to act as a Windows without it.
#include <windows.h>

#include <utility>

template <typename Function>
class LateBound {
public:
    LateBound(const char* module, const char* name) : module_(module), name_(name) {}
    LateBound(Function function) : function_(function), resolved_(true) {}

    // The function, or null where this Windows lacks it. The DLL is loaded if the
    // process has not loaded it yet, and stays loaded.
    Function Get() const
    {
        if (!resolved_) {
            HMODULE module = GetModuleHandleA(module_);
            if (!module)
                module = LoadLibraryA(module_);
            function_ = module ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name_)))
                               : nullptr;
            resolved_ = true;
        }
        return function_;
    }

    // Calls it; where it is missing, fails as Windows 95/98/Me's stubs of NT-only
    // functions do: error ERROR_CALL_NOT_IMPLEMENTED and a zero result.
    template <typename... Args>
    auto operator()(Args&&... args) const
    {
        if (const Function function = Get())
            return function(std::forward<Args>(args)...);
        SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
        return decltype(Get()(std::forward<Args>(args)...)){};
    }

private:
    const char* module_ = nullptr;
    const char* name_ = nullptr;
    mutable Function function_ = nullptr;
    mutable bool resolved_ = false;
};
