// Binary PPM (P6) images, the simulator's screen pictures.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace dx {

struct RgbImage {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> rgb;  // width * height * 3, rows top to bottom

  // The pixel as a colour reference: red in bits 0-7, green 8-15, blue 16-23.
  uint32_t ColourAt(int x, int y) const;
};

// Parses P6 with a maximum sample value of at most 255. Returns "" on
// success or what is wrong with the data.
std::string ParsePpm(const std::string& bytes, RgbImage& image);

}  // namespace dx
