#pragma once
// A system function that some of the Windows the program runs on lack, looked up by name
// in its DLL at first use instead of imported, so the program still loads where it is
// missing. A call table holds one per such function; a test can put a stand-in in its
// place, or nullptr to act as a Windows without it. Each entry is typed by the system's
// own declaration (LateBound<decltype(&::DeleteFileW)>), so a wrong signature cannot compile.
#include <windows.h>

#include <cstdint>
#include <type_traits>
#include <utility>

template <typename Function>
class LateBound {
    static_assert(std::is_pointer_v<Function> && std::is_function_v<std::remove_pointer_t<Function>>,
                  "a late-bound entry holds a pointer to a system function");

public:
    // failed is what the function answers when it fails (INVALID_HANDLE_VALUE,
    // INVALID_FILE_ATTRIBUTES...), which a call answers where the function is missing.
    LateBound(const char* module, const char* name, std::uintptr_t failed = 0)
        : module_(module), name_(name), failed_(failed)
    {
    }
    LateBound(Function function) : function_(function), resolved_(true) {}
    // A stand-in, or nullptr for none; what the entry answers when missing stays.
    LateBound& operator=(Function function)
    {
        function_ = function;
        resolved_ = true;
        return *this;
    }

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
    // functions do: error ERROR_CALL_NOT_IMPLEMENTED and the function's failure result.
    template <typename... Args>
    auto operator()(Args&&... args) const
    {
        using Result = decltype(Get()(std::forward<Args>(args)...));
        if (const Function function = Get())
            return function(std::forward<Args>(args)...);
        SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
        if constexpr (std::is_pointer_v<Result>)
            return reinterpret_cast<Result>(failed_);
        else
            return static_cast<Result>(failed_);
    }

private:
    const char* module_ = nullptr;
    const char* name_ = nullptr;
    std::uintptr_t failed_ = 0;
    mutable Function function_ = nullptr;
    mutable bool resolved_ = false;
};
