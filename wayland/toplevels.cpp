#include "wayland/toplevels.h"

#include <wayland-client.h>

#include <algorithm>
#include <chrono>
#include <map>

#include "wayland/connection.h"
#include "wlr-foreign-toplevel-management-unstable-v1-client.h"

namespace dx::wayland {
namespace {

Toplevel& Of(void* data) { return *static_cast<Toplevel*>(data); }

void OnTitle(void* data, zwlr_foreign_toplevel_handle_v1*, const char* title) { Of(data).title = title; }
void OnAppId(void* data, zwlr_foreign_toplevel_handle_v1*, const char* app_id) { Of(data).app_id = app_id; }
void OnOutputEnter(void*, zwlr_foreign_toplevel_handle_v1*, wl_output*) {}
void OnOutputLeave(void*, zwlr_foreign_toplevel_handle_v1*, wl_output*) {}
void OnState(void* data, zwlr_foreign_toplevel_handle_v1*, wl_array* states) {
  bool activated = false;
  const auto* first = static_cast<const uint32_t*>(states->data);
  for (std::size_t i = 0; i < states->size / sizeof(uint32_t); ++i) {
    if (first[i] == ZWLR_FOREIGN_TOPLEVEL_HANDLE_V1_STATE_ACTIVATED) activated = true;
  }
  Of(data).activated = activated;
}
void OnDone(void* data, zwlr_foreign_toplevel_handle_v1*) { Of(data).complete = true; }
void OnClosed(void* data, zwlr_foreign_toplevel_handle_v1*) { Of(data).closed = true; }
void OnParent(void*, zwlr_foreign_toplevel_handle_v1*, zwlr_foreign_toplevel_handle_v1*) {}

constexpr zwlr_foreign_toplevel_handle_v1_listener kHandleListener = {
    OnTitle, OnAppId, OnOutputEnter, OnOutputLeave, OnState, OnDone, OnClosed, OnParent};

void OnToplevel(void* data, zwlr_foreign_toplevel_manager_v1*, zwlr_foreign_toplevel_handle_v1* handle) {
  static_cast<Toplevels*>(data)->Add(handle);
}
void OnFinished(void*, zwlr_foreign_toplevel_manager_v1*) {}

constexpr zwlr_foreign_toplevel_manager_v1_listener kManagerListener = {OnToplevel, OnFinished};

}  // namespace

uint32_t ToplevelId(std::string_view app_id, std::string_view title, uint32_t occurrence) {
  // FNV-1a over both texts and the occurrence, folded to 31 bits and never 0.
  uint32_t hash = 2166136261u;
  const auto mix = [&hash](unsigned char byte) { hash = (hash ^ byte) * 16777619u; };
  for (const char c : app_id) mix(static_cast<unsigned char>(c));
  mix(0);
  for (const char c : title) mix(static_cast<unsigned char>(c));
  for (int i = 0; i < 4; ++i) mix(static_cast<unsigned char>(occurrence >> (8 * i)));
  hash &= 0x7FFFFFFF;
  return hash != 0 ? hash : 1;
}

Toplevels::Toplevels(Connection& connection) : connection_(connection) {
  zwlr_foreign_toplevel_manager_v1_add_listener(connection.ToplevelManager(), &kManagerListener, this);
  // The list, then every window's details.
  connection_.Roundtrip();
  connection_.Roundtrip();
}

Toplevels::~Toplevels() {
  for (auto& t : toplevels_) zwlr_foreign_toplevel_handle_v1_destroy(t->handle);
}

void Toplevels::Add(zwlr_foreign_toplevel_handle_v1* handle) {
  auto toplevel = std::make_unique<Toplevel>();
  toplevel->handle = handle;
  zwlr_foreign_toplevel_handle_v1_add_listener(handle, &kHandleListener, toplevel.get());
  toplevels_.push_back(std::move(toplevel));
}

void Toplevels::Number() {
  std::map<std::pair<std::string, std::string>, uint32_t> seen;
  for (auto& t : toplevels_) {
    if (t->closed || !t->complete) continue;
    t->id = ToplevelId(t->app_id, t->title, seen[{t->app_id, t->title}]++);
  }
}

std::vector<const Toplevel*> Toplevels::List() {
  Number();
  std::vector<const Toplevel*> open;
  for (const auto& t : toplevels_) {
    if (!t->closed && t->complete) open.push_back(t.get());
  }
  return open;
}

const Toplevel* Toplevels::Find(uint32_t id) {
  for (const Toplevel* t : List()) {
    if (t->id == id) return t;
  }
  return nullptr;
}

bool Toplevels::Activate(uint32_t id, int wait_ms) {
  const Toplevel* t = Find(id);
  if (t == nullptr || connection_.Global().seat == nullptr) return false;
  zwlr_foreign_toplevel_handle_v1_activate(t->handle, connection_.Global().seat);
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(wait_ms);
  while (!t->activated && !t->closed) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) break;
    connection_.Dispatch(static_cast<uint64_t>(left.count()), -1);
  }
  return t->activated;
}

}  // namespace dx::wayland
