#pragma once

#include <atomic>

namespace torvane {

// A value that several threads read and write: a std::atomic of the value's own width that can
// still be copied, so that records holding such values (a MouseConfig) keep value semantics.
// Every access is sequentially consistent; a copy reads each value once.
template <typename T>
class SharedValue {
public:
    static_assert(std::atomic<T>::is_always_lock_free);

    constexpr SharedValue() noexcept : m_value(T{}) {}
    constexpr SharedValue(T value) noexcept : m_value(value) {}  // NOLINT: implicit by design
    SharedValue(const SharedValue& other) noexcept : m_value(other.load()) {}
    SharedValue& operator=(const SharedValue& other) noexcept {
        store(other.load());
        return *this;
    }
    SharedValue& operator=(T value) noexcept {
        store(value);
        return *this;
    }
    operator T() const noexcept { return load(); }  // NOLINT: implicit by design

    T load() const noexcept { return m_value.load(); }
    void store(T value) noexcept { m_value.store(value); }

private:
    std::atomic<T> m_value;
};

}  // namespace torvane
