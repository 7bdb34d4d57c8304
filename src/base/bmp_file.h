// BMP files the game writes (the replay runners' frames, the final frame, a
// level's map) and reads (the sheets, where the platform has no reader of its
// own): 24-bit colour, written exactly as Allegro's save_bmp writes them, so
// that every platform saves the same bytes for the same picture.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// An image of 0xRRGGBB pixels, row by row from the top.
struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;
};

// The bytes of a 24-bit BMP of the image.
std::string encode_bmp(const RgbImage& image);

// Writes the image as a BMP file; false when the file cannot be written.
bool write_bmp(const char* path, const RgbImage& image);

// The frame as the game last drew it, and saved as a BMP file.
RgbImage frame_image();
bool save_frame_bmp(const char* path);

// Reads an uncompressed BMP of 24 or 32 bits per pixel; false for anything
// else (the game checks its files before, see bmp_file_problem).
bool decode_bmp(const std::string& bytes, RgbImage& image);
