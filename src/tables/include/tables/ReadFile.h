#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <limits>
#include <optional>
#include <span>

namespace tarnwick {

// Reads the whole regular file at path through the programs' one file reader. A file longer
// than largest bytes is refused, also when it grows while it is read, so a wrong pick cannot
// fill the memory. On failure returns nothing and sets error to a
// sentence that names the file and the reason.
std::optional<QByteArray>
readFile(const QString& path, QString& error,
         std::uint64_t largest = std::numeric_limits<std::uint64_t>::max());

// The bytes as the unsigned values the cores take. Valid while bytes lives and is not changed.
inline std::span<const std::uint8_t> bytesOf(const QByteArray& bytes) {
    return {reinterpret_cast<const std::uint8_t*>(bytes.constData()),
            static_cast<std::size_t>(bytes.size())};
}

} // namespace tarnwick
