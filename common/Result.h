#pragma once

#include <optional>
#include <string>
#include <utility>

namespace mapwren {

// A failure the user can meet travels back to the window as a value with a
// message ready to show, never as an exception. One idiom for a refusal: an
// action or a check that may refuse returns Status (or Result<T> when it also
// yields a value), its error() the message; std::optional<std::string> only
// carries a text that may be absent (a question to ask, a name), and a
// failure never hides in a value (an unknown size is no 0).
template <class T>
class Result {
public:
    Result(T value) : value_(std::move(value)) {}
    static Result Failure(std::string message)
    {
        Result r;
        r.error_ = std::move(message);
        return r;
    }

    bool ok() const { return value_.has_value(); }
    explicit operator bool() const { return ok(); }
    const T& value() const { return *value_; }
    T& value() { return *value_; }
    const std::string& error() const { return error_; }

private:
    Result() = default;
    std::optional<T> value_;
    std::string error_;
};

// Result of an action that yields nothing but success or a message.
class Status {
public:
    Status() = default;
    static Status Failure(std::string message) { return Status(std::move(message)); }

    bool ok() const { return error_.empty(); }
    explicit operator bool() const { return ok(); }
    const std::string& error() const { return error_; }

private:
    explicit Status(std::string message) : error_(std::move(message)) {}
    std::string error_;
};

} // namespace mapwren
