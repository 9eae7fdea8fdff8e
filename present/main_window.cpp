#include "present/main_window.h"

namespace gp {

TMain& mainwin() {
  static TMain window;
  return window;
}

}  // namespace gp
