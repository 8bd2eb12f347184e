#include "wayland/screencopy.h"

#include <sys/mman.h>
#include <unistd.h>
#include <wayland-client.h>

#include "base/script_error.h"
#include "texts/wayland_texts.h"
#include "wayland/connection.h"
#include "wlr-screencopy-unstable-v1-client.h"

namespace dx::wayland {

namespace t = wayland_texts;

struct Screencopy::Frame {
  bool have_shm = false;
  uint32_t format = 0, width = 0, height = 0, stride = 0;
  bool buffers_listed = false;
  bool y_invert = false;
  bool ready = false;
  bool failed = false;
};

namespace {

using Frame = Screencopy::Frame;

Frame& Of(void* data) { return *static_cast<Frame*>(data); }

void OnBuffer(void* data, zwlr_screencopy_frame_v1*, uint32_t format, uint32_t width, uint32_t height,
              uint32_t stride) {
  Frame& f = Of(data);
  f.have_shm = true;
  f.format = format;
  f.width = width;
  f.height = height;
  f.stride = stride;
}
void OnFlags(void* data, zwlr_screencopy_frame_v1*, uint32_t flags) {
  Of(data).y_invert = (flags & ZWLR_SCREENCOPY_FRAME_V1_FLAGS_Y_INVERT) != 0;
}
void OnReady(void* data, zwlr_screencopy_frame_v1*, uint32_t, uint32_t, uint32_t) { Of(data).ready = true; }
void OnFailed(void* data, zwlr_screencopy_frame_v1*) { Of(data).failed = true; }
void OnDamage(void*, zwlr_screencopy_frame_v1*, uint32_t, uint32_t, uint32_t, uint32_t) {}
void OnDmabuf(void*, zwlr_screencopy_frame_v1*, uint32_t, uint32_t, uint32_t) {}
void OnBufferDone(void* data, zwlr_screencopy_frame_v1*) { Of(data).buffers_listed = true; }

constexpr zwlr_screencopy_frame_v1_listener kFrameListener = {OnBuffer, OnFlags,  OnReady,     OnFailed,
                                                              OnDamage, OnDmabuf, OnBufferDone};

uint32_t Word(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
         static_cast<uint32_t>(p[3]) << 24;
}

}  // namespace

bool ColourOfShmPixel(uint32_t format, const uint8_t* pixel, uint32_t& colour) {
  const uint32_t w = Word(pixel);
  switch (format) {
    case WL_SHM_FORMAT_ARGB8888:
    case WL_SHM_FORMAT_XRGB8888: colour = (w >> 16 & 0xFF) | (w & 0xFF00) | (w & 0xFF) << 16; return true;
    case WL_SHM_FORMAT_ABGR8888:
    case WL_SHM_FORMAT_XBGR8888: colour = w & 0xFFFFFF; return true;
    default: return false;
  }
}

Screencopy::~Screencopy() { DropBuffer(); }

void Screencopy::DropBuffer() {
  if (buffer_ != nullptr) wl_buffer_destroy(buffer_);
  if (data_ != nullptr) munmap(data_, size_);
  buffer_ = nullptr;
  data_ = nullptr;
}

void Screencopy::EnsureBuffer(uint32_t format, uint32_t width, uint32_t height, uint32_t stride) {
  if (buffer_ != nullptr && format == format_ && width == width_ && height == height_ && stride == stride_) return;
  DropBuffer();
  const std::size_t size = std::size_t{stride} * height;
  const int fd = memfd_create("dxplay-pixel", MFD_CLOEXEC);
  if (fd < 0 || ftruncate(fd, static_cast<off_t>(size)) < 0) {
    if (fd >= 0) close(fd);
    throw ScriptError(std::string(t::kScreencopyFailedMessage));
  }
  void* data = mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
  if (data == MAP_FAILED) {
    close(fd);
    throw ScriptError(std::string(t::kScreencopyFailedMessage));
  }
  wl_shm_pool* pool = wl_shm_create_pool(connection_.Global().shm, fd, static_cast<int32_t>(size));
  buffer_ = wl_shm_pool_create_buffer(pool, 0, static_cast<int32_t>(width), static_cast<int32_t>(height),
                                      static_cast<int32_t>(stride), format);
  wl_shm_pool_destroy(pool);
  close(fd);
  data_ = data;
  size_ = size;
  format_ = format;
  width_ = width;
  height_ = height;
  stride_ = stride;
}

uint32_t Screencopy::PixelAt(wl_output* output, int32_t x, int32_t y) {
  Frame f;
  zwlr_screencopy_frame_v1* frame =
      zwlr_screencopy_manager_v1_capture_output_region(connection_.Global().screencopy_manager, 0, output, x, y, 1, 1);
  zwlr_screencopy_frame_v1_add_listener(frame, &kFrameListener, &f);
  connection_.DispatchUntil([&f] { return f.buffers_listed || f.failed; });
  if (!f.failed && f.have_shm && f.width > 0 && f.height > 0) {
    EnsureBuffer(f.format, f.width, f.height, f.stride);
    zwlr_screencopy_frame_v1_copy(frame, buffer_);
    connection_.DispatchUntil([&f] { return f.ready || f.failed; });
  }
  zwlr_screencopy_frame_v1_destroy(frame);
  if (f.failed || !f.ready) throw ScriptError(std::string(t::kScreencopyFailedMessage));
  const uint8_t* row = static_cast<const uint8_t*>(data_) + std::size_t{stride_} * (f.y_invert ? height_ - 1 : 0);
  uint32_t colour = 0;
  if (!ColourOfShmPixel(format_, row, colour)) throw ScriptError(t::PixelFormatMessage(format_));
  return colour;
}

}  // namespace dx::wayland
