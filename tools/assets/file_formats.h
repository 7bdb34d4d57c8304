// The two file formats the game loads: 24-bit uncompressed BMP images and
// plain PCM WAV samples (Allegro 4's loaders accept nothing fancier).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "pixel_art.h"
#include "synth.h"

using Bytes = std::vector<uint8_t>;

// Bottom-up rows of blue, green, red bytes, each row padded to 4 bytes.
Bytes encode_bmp24(const Image& image);

// RIFF/WAVE, format tag 1 (PCM), 16-bit signed little-endian, mono.
Bytes encode_wav16(const Sound& sound);

// Writes the whole file; throws std::runtime_error naming the path.
void write_bytes(const std::string& path, const Bytes& bytes);
