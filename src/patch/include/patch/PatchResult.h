#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace tarnwick {

// Outcome of making or applying a patch: the bytes made, or a message saying why there are none.
class [[nodiscard]] PatchResult {
public:
    static PatchResult success(std::vector<std::uint8_t> bytes) {
        return PatchResult(std::move(bytes), {}, false);
    }
    static PatchResult failure(std::string message) {
        return PatchResult({}, std::move(message), true);
    }

    bool isOk() const { return !failed; }
    explicit operator bool() const { return !failed; }
    // The patch or the patched image; empty after a failure.
    const std::vector<std::uint8_t>& bytes() const { return data; }
    std::vector<std::uint8_t> takeBytes() { return std::move(data); }
    const std::string& message() const { return text; }

private:
    PatchResult(std::vector<std::uint8_t> bytes, std::string message, bool failure)
        : data(std::move(bytes)), text(std::move(message)), failed(failure) {}

    std::vector<std::uint8_t> data;
    std::string text;
    bool failed;
};

} // namespace tarnwick
