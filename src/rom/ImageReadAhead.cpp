#include "rom/ImageReadAhead.h"

namespace tarnwick {

ImageReadAhead::~ImageReadAhead() {
    if (pending.valid())
        pending.wait();
}

void ImageReadAhead::start(const std::string& path) {
    if (pending.valid())
        pending.wait();
    readPath = path;
    pending = std::async(std::launch::async, [path] { return RomImage::readImageFile(path); });
}

std::optional<ImageFileRead> ImageReadAhead::take(const std::string& path) {
    if (!pending.valid())
        return std::nullopt;
    ImageFileRead read = pending.get();
    if (path != readPath)
        return std::nullopt;
    return read;
}

} // namespace tarnwick
