#pragma once

#include <memory>

// Release policy of ObjectHandleKeeper: a plain delete (virtual destructors do the rest).
struct ObjectHandleFree {
    template <typename T> void operator()(T* object) const { delete object; }
};

// Owns one pointer for a scope and releases it through `Release` when the scope ends.
template <typename T, typename Release> class HandleKeeper {
public:
    HandleKeeper() = default;
    explicit HandleKeeper(T* handle)
        : m_handle(handle) {}

    T* Get() const { return m_handle.get(); }
    T* operator->() const { return m_handle.get(); }
    explicit operator bool() const { return m_handle != nullptr; }
    // Gives the pointer up without releasing it.
    T* Detach() { return m_handle.release(); }
    // Releases the current pointer (if any) and keeps `handle` instead.
    void Reset(T* handle = nullptr) { m_handle.reset(handle); }

private:
    std::unique_ptr<T, Release> m_handle;
};

template <typename T> class ObjectHandleKeeper : public HandleKeeper<T, ObjectHandleFree> {
public:
    using HandleKeeper<T, ObjectHandleFree>::HandleKeeper;
};
