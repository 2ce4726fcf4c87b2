#pragma once

#include "rom/RomImage.h"

#include <future>
#include <optional>
#include <string>

namespace tarnwick {

// Reads an image file on a thread of its own, so that the read overlaps other work (the window
// being built at start-up) instead of following it. The read is exactly the one a load makes
// at that moment, stamp included: a change to the file after it is seen as any change after a
// load is.
class ImageReadAhead {
public:
    ImageReadAhead() = default;
    ImageReadAhead(const ImageReadAhead&) = delete;
    ImageReadAhead& operator=(const ImageReadAhead&) = delete;
    // Waits for a read still running, so no thread outlives the object.
    ~ImageReadAhead();

    void start(const std::string& path);
    // The read of path: waits for it to finish. The read is given out once, and dropped when
    // asked for with another path, so a later load never takes an old read.
    std::optional<ImageFileRead> take(const std::string& path);

private:
    std::string readPath;
    std::future<ImageFileRead> pending;
};

} // namespace tarnwick
