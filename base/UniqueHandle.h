#pragma once
// One owner for every kind of system handle: move-only, and it closes what it holds when
// destroyed, reset or assigned over.
//
// The closer says what the handle is, which values hold nothing and how to close one:
//   struct Closer {
//       using Handle = ...;
//       static Handle Invalid();               // what an empty owner holds
//       static bool Valid(Handle handle);      // false for every value that holds nothing
//       void operator()(Handle handle) const;  // closes a valid handle
//   };
// A closer may carry what closing needs (a table of calls, the window a DC belongs to);
// it moves along with the handle.
#include <utility>

template <typename Closer>
class UniqueHandle {
public:
    using Handle = typename Closer::Handle;

    UniqueHandle() : handle_(Closer::Invalid()) {}
    explicit UniqueHandle(Handle handle, Closer closer = Closer()) : handle_(handle), closer_(std::move(closer)) {}
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.Release()), closer_(std::move(other.closer_)) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept
    {
        if (this != &other) {
            Reset(other.Release());
            closer_ = std::move(other.closer_);
        }
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    ~UniqueHandle() { Reset(); }

    Handle Get() const { return handle_; }
    bool Valid() const { return Closer::Valid(handle_); }
    explicit operator bool() const { return Valid(); }

    // Closes the handle held and takes handle in its place.
    void Reset(Handle handle = Closer::Invalid())
    {
        const Handle old = std::exchange(handle_, handle);
        if (Closer::Valid(old))
            closer_(old);
    }
    // Hands the handle over to its next owner; this one is left empty.
    Handle Release() { return std::exchange(handle_, Closer::Invalid()); }

private:
    Handle handle_;
    Closer closer_;
};
