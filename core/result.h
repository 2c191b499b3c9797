// The one way a call that can fail says why: it returns its value, or a Failure with the reason
// in words the user can be shown as they are.
#pragma once

#include <QString>

#include <utility>
#include <variant>

namespace zental {

struct Failure {
    QString reason;
};

template <typename T> class [[nodiscard]] Result {
public:
    Result(T value) // NOLINT(google-explicit-constructor): a value is a success
        : m_outcome(std::move(value)) {}
    Result(Failure failure) // NOLINT(google-explicit-constructor)
        : m_outcome(std::move(failure)) {}

    bool ok() const { return m_outcome.index() == 0; }
    explicit operator bool() const { return ok(); }
    const T& value() const& { return std::get<0>(m_outcome); }
    T&& value() && { return std::get<0>(std::move(m_outcome)); }
    const T& operator*() const& { return value(); }
    const T* operator->() const { return &value(); }
    T value_or(T fallback) const& { return ok() ? value() : std::move(fallback); }
    const QString& error() const { return std::get<1>(m_outcome).reason; }

private:
    std::variant<T, Failure> m_outcome;
};

// What a call that succeeds with no value returns.
struct Done {};
using Status = Result<Done>;

} // namespace zental
