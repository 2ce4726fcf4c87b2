#pragma once

#include "demo/DemoImage.h"
#include "rom/RomImage.h"

#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>

namespace tarnwick::test {

// A document holding the release's demo image, opened once per program and shared: for tests
// and benchmarks that only read it.
inline RomImage& sharedDemoDocument(RomVariant release) {
    static std::map<RomVariant, std::unique_ptr<RomImage>> documents;
    std::unique_ptr<RomImage>& document = documents[release];
    if (!document) {
        document = std::make_unique<RomImage>();
        if (!openDemoImage(*document, {release}).isOk()) {
            std::fprintf(stderr, "demo image of %s does not open\n", releaseName(release).data());
            std::abort();
        }
    }
    return *document;
}

} // namespace tarnwick::test
