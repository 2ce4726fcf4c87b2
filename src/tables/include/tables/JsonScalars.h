#pragma once

#include <QStringView>

#include <cstdint>
#include <string>

namespace tarnwick {

// A string as JSON text, quoted, escaped byte for byte as QJsonDocument escapes it: quote,
// backslash and control characters escaped, everything else as UTF-8, a lone surrogate as \u.
void appendJsonString(std::string& out, QStringView text);

// An integer as JSON text, in full, as QJsonDocument writes one.
void appendJsonInteger(std::string& out, std::int64_t value);

} // namespace tarnwick
