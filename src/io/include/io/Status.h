#pragma once

#include <string>
#include <utility>

namespace tarnwick {

// Outcome of an operation that can fail: success, or a message for the user that names the file
// (or the thing) involved and the reason.
class [[nodiscard]] Status {
public:
    static Status success() { return Status(); }
    static Status failure(std::string message) { return Status(std::move(message)); }

    bool isOk() const { return !failed; }
    explicit operator bool() const { return !failed; }
    const std::string& message() const { return text; }

private:
    Status() = default;
    explicit Status(std::string message) : failed(true), text(std::move(message)) {}

    bool failed = false;
    std::string text;
};

} // namespace tarnwick
