#pragma once

#include <QString>

#include <optional>
#include <utility>
#include <variant>

// What went wrong, as far as a caller acts on it: Exists asks the player for
// another name, Busy is worth a retry, the rest are told and given up on.
enum class Cause {
    Failed,           // anything without a remedy of its own
    Exists,           // a new file's name is taken
    PermissionDenied, // write protection
    DiskFull,
    Busy,             // another copy of the program kept the file locked
    TooLarge,         // larger than any file of its kind
};

// A failed operation: why, and what the player is told (a reader whose
// windows word their own message gives the reason for a log instead).
struct Failure {
    Cause cause = Cause::Failed;
    QString message;

    // Write protection, a full disk and a held file are always told as they
    // are; any other failure in the words of the place that failed.
    QString messageOr(const QString& placeText) const
    {
        const bool ownWords =
            cause == Cause::PermissionDenied || cause == Cause::DiskFull || cause == Cause::Busy;
        return ownWords ? message : placeText;
    }
};

// The one way an operation of the file, settings and database layers ends:
// its value, or the failure that kept it from one.
template <class T = void> class Outcome {
public:
    Outcome(T value) : state_(std::in_place_index<0>, std::move(value)) {}
    Outcome(Failure failure) : state_(std::in_place_index<1>, std::move(failure)) {}

    bool ok() const { return state_.index() == 0; }
    explicit operator bool() const { return ok(); }
    bool failedWith(Cause cause) const { return !ok() && failure().cause == cause; }

    T& value() { return std::get<0>(state_); }
    const T& value() const { return std::get<0>(state_); }
    T* operator->() { return &value(); }
    const T* operator->() const { return &value(); }
    T& operator*() { return value(); }
    const T& operator*() const { return value(); }

    // The value, or `fallback` where the failure was told already or does not matter.
    T valueOr(T fallback) const& { return ok() ? value() : std::move(fallback); }
    T valueOr(T fallback) && { return ok() ? std::move(value()) : std::move(fallback); }

    const Failure& failure() const { return std::get<1>(state_); }

private:
    std::variant<T, Failure> state_;
};

template <> class Outcome<void> {
public:
    Outcome() = default;
    Outcome(Failure failure) : failure_(std::move(failure)) {}

    bool ok() const { return !failure_; }
    explicit operator bool() const { return ok(); }
    bool failedWith(Cause cause) const { return failure_ && failure_->cause == cause; }

    const Failure& failure() const { return *failure_; }

private:
    std::optional<Failure> failure_;
};
