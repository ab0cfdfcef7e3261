#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Writes an RGB image (rows top to bottom, 3 bytes a pixel) as a PNG file, compressed with deflate
// (LZ77 with the fixed Huffman codes: screenshots of windows shrink well with it).
bool WritePng(const std::string& utf8Path, int width, int height, const std::vector<uint8_t>& rgb,
              std::string& error);
// The same, as bytes.
std::vector<uint8_t> EncodePng(int width, int height, const std::vector<uint8_t>& rgb);
