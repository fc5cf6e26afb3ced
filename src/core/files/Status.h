#pragma once
// The outcome of an operation that can fail: empty error text on success,
// otherwise a message that names what failed and where. Result<T> is the same
// for an operation that also gives a value on success.

#include <optional>
#include <stdexcept>
#include <string>
#include <utility>

namespace torvan {

class Status {
 public:
  Status() = default;
  static Status Ok() { return {}; }
  static Status Error(std::string message) {
    Status s;
    s.error_ = std::move(message);
    if (s.error_.empty()) s.error_ = "unknown error";
    return s;
  }

  bool ok() const { return error_.empty(); }
  explicit operator bool() const { return ok(); }
  const std::string& error() const { return error_; }

 private:
  std::string error_;
};

// A value, or the Status of the failure that kept it from being made.
template <class T>
class Result {
 public:
  Result(T value) : value_(std::move(value)) {}  // NOLINT: a value is a success
  // `failure` must be an error: a Result without a value is never ok.
  Result(Status failure) : status_(std::move(failure)) {  // NOLINT: so is a failed Status
    if (status_.ok()) status_ = Status::Error("no value");
  }

  bool ok() const { return value_.has_value(); }
  explicit operator bool() const { return ok(); }
  const Status& status() const { return status_; }
  const std::string& error() const { return status_.error(); }

  // The value; asking a failed Result for it is a programming error.
  const T& value() const& {
    Check();
    return *value_;
  }
  T& value() & {
    Check();
    return *value_;
  }
  T&& value() && {
    Check();
    return std::move(*value_);
  }

 private:
  void Check() const {
    if (!value_) throw std::logic_error("Result has no value: " + status_.error());
  }

  std::optional<T> value_;
  Status status_;
};

}  // namespace torvan
