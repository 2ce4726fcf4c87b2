#include "resources/AppResources.h"

#include <QtGlobal>

// Q_INIT_RESOURCE must be used outside any namespace.
static void initTarnwickResources() {
    Q_INIT_RESOURCE(tarnwick);
}

namespace tarnwick {

void registerAppResources() {
    static const bool registered = (initTarnwickResources(), true);
    (void)registered;
}

} // namespace tarnwick
