#include "platform/input_purge.h"

#include <utility>

#include "platform/clock.h"

namespace platform {

namespace {

std::function<void(pending_input_t)>& hook() {
  static std::function<void(pending_input_t)> remover;
  return remover;
}

std::function<void(pending_input_t)>& backend_remover() {
  static std::function<void(pending_input_t)> remover;
  return remover;
}

std::vector<input_purge>& log() {
  static std::vector<input_purge> purges;
  return purges;
}

}  // namespace

void purge_pending_input(pending_input_t kind) {
  log().push_back({kind, clock::now_ns()});
  if (hook()) hook()(kind);
  if (backend_remover()) backend_remover()(kind);
}

void set_backend_input_purge(std::function<void(pending_input_t)> remover) { backend_remover() = std::move(remover); }

void set_input_purge_hook(std::function<void(pending_input_t)> remover) { hook() = std::move(remover); }

const std::vector<input_purge>& input_purge_log() { return log(); }

void clear_input_purge_log() { log().clear(); }

}  // namespace platform
