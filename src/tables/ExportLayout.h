#pragma once

#include "tables/JsonNode.h"

#include <QByteArray>

namespace tarnwick {

// An export as text that a person and a line-based diff can read: flat values (a list of
// scalars, a record with its label) on one line where they fit in 100 columns, everything else
// one entry a line, indented by four spaces a level.
QByteArray exportLayout(const JsonNode& root);

} // namespace tarnwick
