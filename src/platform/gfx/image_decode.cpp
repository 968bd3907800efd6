#include "platform/gfx/image_decode.h"

#include <climits>

#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_BMP
#define STBI_ONLY_TGA
#define STBI_ONLY_PNG
#define STBI_NO_STDIO
#include <stb_image.h>

#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb_image_write.h>

namespace plat {

bool DecodeImage(const unsigned char* data, size_t size, std::vector<unsigned char>& rgba, int& width,
                 int& height) {
    if (!data || size == 0 || size > INT_MAX) return false;
    int channels = 0;
    unsigned char* pixels = stbi_load_from_memory(data, static_cast<int>(size), &width, &height, &channels, 4);
    if (!pixels) return false;
    rgba.assign(pixels, pixels + static_cast<size_t>(width) * height * 4);
    stbi_image_free(pixels);
    return true;
}

bool WritePng(const char* path, const unsigned char* rgba, int width, int height) {
    return stbi_write_png(path, width, height, 4, rgba, width * 4) != 0;
}

}  // namespace plat
