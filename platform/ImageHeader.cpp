#include "platform/ImageHeader.h"

#include <cstring>

namespace {

uint32_t big32(const unsigned char* bytes) {
    return uint32_t(bytes[0]) << 24 | uint32_t(bytes[1]) << 16 | uint32_t(bytes[2]) << 8 |
           uint32_t(bytes[3]);
}

} // namespace

ImageHeader readImageHeader(std::FILE* file) {
    // Signature (8 bytes), then the IHDR chunk: length, type, width, height.
    static const unsigned char signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    unsigned char bytes[24];
    ImageHeader header;
    const size_t got = std::fread(bytes, 1, sizeof bytes, file);
    std::rewind(file);
    if (got == sizeof bytes && std::memcmp(bytes, signature, 8) == 0 &&
        std::memcmp(bytes + 12, "IHDR", 4) == 0) {
        header.known = true;
        header.width = big32(bytes + 16);
        header.height = big32(bytes + 20);
    }
    return header;
}

std::string surfaceSizeProblem(const ImageHeader& header) {
    if (!header.known || (header.width <= maxSurfaceWidth && header.height <= maxSurfaceHeight))
        return "";
    return std::to_string(header.width) + "x" + std::to_string(header.height) +
           " pixels, more than an image surface holds (" + std::to_string(maxSurfaceWidth) + "x" +
           std::to_string(maxSurfaceHeight) + " at most)";
}
