#pragma once
// The outcome of an operation that can fail: empty error text on success,
// otherwise a message that names what failed and where.

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

}  // namespace torvan
