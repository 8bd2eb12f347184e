#include "sim/ppm_image.h"

#include <cctype>

namespace dx {

uint32_t RgbImage::ColourAt(int x, int y) const {
  const std::size_t at = (static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)) * 3;
  return static_cast<uint32_t>(rgb[at]) | static_cast<uint32_t>(rgb[at + 1]) << 8 |
         static_cast<uint32_t>(rgb[at + 2]) << 16;
}

namespace {

class HeaderReader {
 public:
  explicit HeaderReader(const std::string& bytes) : bytes_(bytes) {}

  // The next decimal header number, skipping blanks and # comments; -1 when
  // there is none or it is absurdly large.
  long Number() {
    SkipSpaceAndComments();
    long value = -1;
    while (pos_ < bytes_.size() && std::isdigit(static_cast<unsigned char>(bytes_[pos_]))) {
      value = (value < 0 ? 0 : value) * 10 + (bytes_[pos_] - '0');
      if (value > 1000000) return -1;
      ++pos_;
    }
    return value;
  }
  // The one whitespace byte that ends the header.
  bool EndOfHeader() {
    if (pos_ >= bytes_.size() || !std::isspace(static_cast<unsigned char>(bytes_[pos_]))) return false;
    ++pos_;
    return true;
  }
  std::size_t Position() const { return pos_; }

 private:
  void SkipSpaceAndComments() {
    while (pos_ < bytes_.size()) {
      if (std::isspace(static_cast<unsigned char>(bytes_[pos_]))) {
        ++pos_;
      } else if (bytes_[pos_] == '#') {
        while (pos_ < bytes_.size() && bytes_[pos_] != '\n') ++pos_;
      } else {
        break;
      }
    }
  }

  const std::string& bytes_;
  std::size_t pos_ = 2;
};

}  // namespace

std::string ParsePpm(const std::string& bytes, RgbImage& image) {
  if (bytes.size() < 2 || bytes[0] != 'P' || bytes[1] != '6') return "not a binary PPM (P6) image";
  HeaderReader header(bytes);
  const long width = header.Number();
  const long height = header.Number();
  const long max_value = header.Number();
  if (width <= 0 || height <= 0 || width > 65536 || height > 65536) return "bad image size";
  if (max_value <= 0 || max_value > 255) return "only PPM images with samples up to 255 are supported";
  if (!header.EndOfHeader()) return "bad PPM header";
  const std::size_t needed = static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3;
  if (bytes.size() - header.Position() < needed) return "PPM image data is truncated";
  image.width = static_cast<int>(width);
  image.height = static_cast<int>(height);
  image.rgb.assign(bytes.begin() + static_cast<std::ptrdiff_t>(header.Position()),
                   bytes.begin() + static_cast<std::ptrdiff_t>(header.Position() + needed));
  return {};
}

}  // namespace dx
