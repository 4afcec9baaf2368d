// Platforms without a back end of real windows use the headless one.
#include "ui/Backend.h"

namespace qv::ui {

Backend& DefaultBackend() {
  return HeadlessBackendInstance();
}

}  // namespace qv::ui
