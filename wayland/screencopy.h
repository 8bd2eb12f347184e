// Screen pixels through wlr-screencopy: one logical pixel of one output is
// copied into a shared-memory buffer, which is kept for the next read of
// the same size. On a scaled output the logical pixel covers several screen
// pixels; its top-left one is read, as a screenshot of that output shows it.
// The cursor is not composited in, except where the compositor draws it into
// the output itself (software cursors, headless outputs).
#pragma once

#include <cstddef>
#include <cstdint>

struct wl_buffer;
struct wl_output;

namespace dx::wayland {

class Connection;

// A colour with red in bits 0-7 of one pixel in a wl_shm format, or nothing
// for a format this cannot read.
bool ColourOfShmPixel(uint32_t format, const uint8_t* pixel, uint32_t& colour);

class Screencopy {
 public:
  explicit Screencopy(Connection& connection) : connection_(connection) {}
  ~Screencopy();
  Screencopy(const Screencopy&) = delete;
  Screencopy& operator=(const Screencopy&) = delete;

  // The colour of the logical pixel x,y of `output` (output-local). Throws
  // ScriptError when the compositor cannot copy it.
  uint32_t PixelAt(wl_output* output, int32_t x, int32_t y);

  // Called by the frame listener.
  struct Frame;

 private:
  void EnsureBuffer(uint32_t format, uint32_t width, uint32_t height, uint32_t stride);
  void DropBuffer();

  Connection& connection_;
  wl_buffer* buffer_ = nullptr;
  void* data_ = nullptr;
  std::size_t size_ = 0;
  uint32_t format_ = 0, width_ = 0, height_ = 0, stride_ = 0;
};

}  // namespace dx::wayland
