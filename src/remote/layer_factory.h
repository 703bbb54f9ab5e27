// The factory of the rendering layer over one pair of renderer and surface implementations.
#pragma once

#include "remote/layer.h"

namespace layer::detail {

template <class Renderer, class Surface>
class concrete_factory final : public factory {
 public:
  renderer_impl* create_renderer() override { return new Renderer(); }
  surface_impl* create_surface() override { return new Surface(); }
};

}  // namespace layer::detail
