#include "ui/Backend.h"

#include <utility>

namespace qv::ui {

namespace {
Backend* installed = nullptr;
}  // namespace

Backend& CurrentBackend() {
  return installed != nullptr ? *installed : DefaultBackend();
}

Backend* SetBackend(Backend* backend) {
  return std::exchange(installed, backend);
}

}  // namespace qv::ui
