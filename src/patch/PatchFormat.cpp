#include "patch/PatchFormat.h"

#include "patch/Bps.h"
#include "patch/Ips.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string>

namespace tarnwick {

namespace {

constexpr std::array<std::uint8_t, 4> bpsMagic = {'B', 'P', 'S', '1'};
constexpr std::array<std::uint8_t, 5> ipsMagic = {'P', 'A', 'T', 'C', 'H'};

template <std::size_t N>
bool startsWith(std::span<const std::uint8_t> bytes, const std::array<std::uint8_t, N>& magic) {
    return bytes.size() >= N && std::equal(magic.begin(), magic.end(), bytes.begin());
}

} // namespace

std::string_view patchFormatName(PatchFormat format) {
    return format == PatchFormat::Ips ? "IPS" : "BPS";
}

std::optional<PatchFormat> patchFormatOf(std::span<const std::uint8_t> patch) {
    if (startsWith(patch, bpsMagic))
        return PatchFormat::Bps;
    if (startsWith(patch, ipsMagic))
        return PatchFormat::Ips;
    return std::nullopt;
}

std::optional<PatchFormat> patchFormatOfName(std::string_view fileName) {
    const std::size_t dot = fileName.rfind('.');
    const std::size_t slash = fileName.rfind('/');
    if (dot == std::string_view::npos || (slash != std::string_view::npos && dot < slash))
        return std::nullopt;
    std::string extension(fileName.substr(dot + 1));
    for (char& c : extension)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (extension == "bps")
        return PatchFormat::Bps;
    if (extension == "ips")
        return PatchFormat::Ips;
    return std::nullopt;
}

PatchResult createPatch(PatchFormat format, std::span<const std::uint8_t> source,
                        std::span<const std::uint8_t> target) {
    return format == PatchFormat::Ips ? createIps(source, target) : createBps(source, target);
}

PatchResult applyPatch(std::span<const std::uint8_t> source, std::span<const std::uint8_t> patch) {
    const std::optional<PatchFormat> format = patchFormatOf(patch);
    if (!format)
        return PatchResult::failure("the patch is neither a BPS patch (starting \"BPS1\") nor an "
                                    "IPS patch (starting \"PATCH\")");
    return *format == PatchFormat::Ips ? applyIps(source, patch) : applyBps(source, patch);
}

} // namespace tarnwick
