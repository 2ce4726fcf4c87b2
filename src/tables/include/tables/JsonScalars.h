#pragma once

#include <QByteArray>
#include <QJsonValue>
#include <QStringView>

namespace tarnwick {

// A string as JSON text, quoted, escaped byte for byte as QJsonDocument escapes it: quote,
// backslash and control characters escaped, everything else as UTF-8, a lone surrogate as \u.
void appendJsonString(QByteArray& out, QStringView text);

// A number, string, boolean or null as JSON text, written as QJsonDocument writes it inside a
// container: integers in full, other numbers in their shortest form, infinities as null.
// (QJsonDocument writes containers only, so a scalar on its own needs this.)
void appendJsonScalar(QByteArray& out, const QJsonValue& value);

} // namespace tarnwick
