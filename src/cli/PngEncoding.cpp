#include "PngEncoding.h"

#include <png.h>

#include <cstring>
#include <new>

namespace tarnwick {

namespace {

// 100 dots per inch, in the dots per metre PNG counts in.
constexpr png_uint_32 dotsPerMetre = 3937;

// What the PNG library writes goes into png; its message on failure into error (a fixed buffer,
// since nothing may allocate on the way out of an error).
struct Encoding {
    std::vector<std::uint8_t>* png;
    char error[160];
};

void appendBytes(png_structp writer, png_bytep data, png_size_t length) {
    auto* encoding = static_cast<Encoding*>(png_get_io_ptr(writer));
    bool stored = true;
    // No exception may pass through the PNG library's C frames.
    try {
        encoding->png->insert(encoding->png->end(), data, data + length);
    } catch (const std::bad_alloc&) {
        stored = false;
    }
    if (!stored)
        png_error(writer, "out of memory");
}

void flushNothing(png_structp) {}

// The PNG library reports an error by jumping back to the setjmp of encodeRows; the message is
// kept for the caller first.
[[noreturn]] void keepError(png_structp writer, png_const_charp message) {
    char* error = static_cast<Encoding*>(png_get_error_ptr(writer))->error;
    std::strncpy(error, message, sizeof(Encoding::error) - 1);
    png_longjmp(writer, 1);
}

void ignoreWarning(png_structp, png_const_charp) {}

// Holds no object with a destructor, since an error leaves it by longjmp.
bool encodeRows(png_structp writer, png_infop info, const Image& picture,
                std::vector<png_bytep>& rows) {
    if (setjmp(png_jmpbuf(writer)))
        return false;
    png_set_IHDR(writer, info, static_cast<png_uint_32>(picture.width()),
                 static_cast<png_uint_32>(picture.height()), 8, PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_pHYs(writer, info, dotsPerMetre, dotsPerMetre, PNG_RESOLUTION_METER);
    png_write_info(writer, info);
    png_write_image(writer, rows.data());
    png_write_end(writer, info);
    return true;
}

} // namespace

std::optional<std::string> encodePng(const Image& picture, std::vector<std::uint8_t>& png) {
    const auto width = static_cast<std::size_t>(picture.width());
    const auto height = static_cast<std::size_t>(picture.height());
    if (width == 0 || height == 0)
        return "an empty picture";
    // Each 0xFFRRGGBB pixel becomes its red, green and blue bytes.
    std::vector<std::uint8_t> rgb(width * height * 3);
    const std::span<const Rgb> pixels = picture.pixels();
    for (std::size_t i = 0; i < pixels.size(); ++i) {
        rgb[i * 3] = redOf(pixels[i]);
        rgb[i * 3 + 1] = greenOf(pixels[i]);
        rgb[i * 3 + 2] = blueOf(pixels[i]);
    }
    std::vector<png_bytep> rows(height);
    for (std::size_t y = 0; y < height; ++y)
        rows[y] = rgb.data() + y * width * 3;

    png.clear();
    Encoding encoding{&png, {}};
    png_structp writer =
        png_create_write_struct(PNG_LIBPNG_VER_STRING, &encoding, keepError, ignoreWarning);
    if (!writer)
        return "out of memory";
    png_infop info = png_create_info_struct(writer);
    if (!info) {
        png_destroy_write_struct(&writer, nullptr);
        return "out of memory";
    }
    png_set_write_fn(writer, &encoding, appendBytes, flushNothing);
    const bool encoded = encodeRows(writer, info, picture, rows);
    png_destroy_write_struct(&writer, &info);
    if (!encoded)
        return encoding.error[0] ? std::string(encoding.error) : "the PNG library failed";
    return std::nullopt;
}

} // namespace tarnwick
