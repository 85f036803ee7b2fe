// A script variable that more than one thread reads and writes. The host runs processing, the editor
// and parameter changes on threads of its own and the effect takes no lock, so each access is one
// whole load or store: a relaxed atomic, which on every target is a plain move. A reader sees the old
// or the new value, never a mix, and the compiler may not cache the value across another thread's
// write. Values are independent of each other: there is no ordering between two of them.
#pragma once

#include <atomic>

template <typename T>
class Shared {
  public:
    static_assert(std::atomic<T>::is_always_lock_free, "a shared script variable must never take a lock");

    constexpr Shared(T v = T()) noexcept : value_(v) {}
    Shared(const Shared& other) noexcept : value_(other.load()) {}
    Shared& operator=(const Shared& other) noexcept {
        store(other.load());
        return *this;
    }
    Shared& operator=(T v) noexcept {
        store(v);
        return *this;
    }

    T load() const noexcept { return value_.load(std::memory_order_relaxed); }
    void store(T v) noexcept { value_.store(v, std::memory_order_relaxed); }
    operator T() const noexcept { return load(); }

    // A load, then a store: a write by another thread in between is lost, as with the plain variable
    // the script language has. Only values with one writer, or where a lost update is harmless
    // (the peaks), use these.
    Shared& operator+=(T d) noexcept {
        store(load() + d);
        return *this;
    }
    Shared& operator-=(T d) noexcept {
        store(load() - d);
        return *this;
    }

  private:
    std::atomic<T> value_;
};

using SharedDouble = Shared<double>;
using SharedFlag = Shared<bool>;
