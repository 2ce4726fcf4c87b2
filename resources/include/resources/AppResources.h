#pragma once

namespace tarnwick {

// Registers the icons compiled into the program; resources in a static library are not
// registered until something asks for them. Safe to call more than once.
void registerAppResources();

} // namespace tarnwick
