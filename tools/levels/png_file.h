// PNG pictures for pages (the level gallery): a level's map is a few tens of
// kilobytes as a PNG, where the BMP the map command writes is 3 MB.
#pragma once

#include <string>

#include "base/bmp_file.h"

// Writes the image as an 8-bit RGB PNG; false, with errno set by the write,
// when the file cannot be written.
bool write_png(const std::string& path, const RgbImage& image);
