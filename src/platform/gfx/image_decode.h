#pragma once
// Image files in memory (BMP, TGA including colour-mapped) to RGBA, and RGBA to PNG files.
#include <cstddef>
#include <vector>

namespace plat {

bool DecodeImage(const unsigned char* data, size_t size, std::vector<unsigned char>& rgba, int& width,
                 int& height);
bool WritePng(const char* path, const unsigned char* rgba, int width, int height);

}  // namespace plat
