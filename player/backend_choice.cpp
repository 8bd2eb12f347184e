#include "player/backend_choice.h"

#include "texts/backend_texts.h"

namespace dx {
namespace {

struct BackendRow {
  Backend backend;
  std::string_view name;
};

constexpr BackendRow kBackends[] = {{Backend::X11, "x11"}, {Backend::Wlroots, "wlroots"}, {Backend::Portal, "portal"}};

}  // namespace

std::optional<Backend> BackendNamed(std::string_view name) {
  for (const BackendRow& row : kBackends) {
    if (row.name == name) return row.backend;
  }
  return std::nullopt;
}

std::string_view BackendName(Backend backend) {
  for (const BackendRow& row : kBackends) {
    if (row.backend == backend) return row.name;
  }
  return "?";
}

BackendChoice ChooseBackend(std::optional<Backend> requested, const SessionFacts& facts) {
  namespace t = backend_texts;
  if (requested) return {*requested, t::kAskedFor};
  if (!facts.wayland_display) return {Backend::X11, t::kNoWayland};
  if (facts.wlroots_input) return {Backend::Wlroots, t::kWlrootsOffered};
  return {Backend::X11, t::kWlrootsNotOffered};
}

}  // namespace dx
