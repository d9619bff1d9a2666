#pragma once

// What a decoder gives back: its value, or the reason it could not make one. Decoders never
// throw and never abort; the caller decides what a failure means to the user.

#include <optional>
#include <string>
#include <utility>

namespace formats {

// The reason a decoder gave up, in a short English phrase ("the pixel data is truncated").
struct Failure {
    std::string reason;
};

inline Failure Fail(std::string reason)
{
    return Failure{std::move(reason)};
}

template <class T>
class Result {
public:
    Result(T value) : m_value(std::move(value)) {}
    Result(Failure failure) : m_error(std::move(failure.reason)) {}

    bool Ok() const { return m_value.has_value(); }
    explicit operator bool() const { return Ok(); }

    T& Value() & { return *m_value; }
    const T& Value() const& { return *m_value; }
    T&& Value() && { return std::move(*m_value); }
    T* operator->() { return &*m_value; }
    const T* operator->() const { return &*m_value; }
    T& operator*() { return *m_value; }
    const T& operator*() const { return *m_value; }

    // Empty when the value is there.
    const std::string& Error() const { return m_error; }
    // Passes the failure on to a result of another type.
    Failure TakeFailure() const { return Failure{m_error}; }

private:
    std::optional<T> m_value;
    std::string m_error;
};

}  // namespace formats
