#pragma once

#include "rom/Record.h"

#include <span>
#include <string_view>

namespace tarnwick {

class RomImage;

// One record table of the document: its name (as exports spell it), where each release keeps
// it and the document's records.
struct TableBinding {
    std::string_view key;
    const PerRelease<TablePlacement>* placement;
    std::span<Record> (*records)(RomImage&);
    std::span<const Record> (*constRecords)(const RomImage&);
};

// The six record tables. Loading, saving, comparing and the command-line tool's export and
// import all walk this one list, so no table can be written one way and read another.
std::span<const TableBinding> recordTables();

} // namespace tarnwick
