#pragma once
// The real popup menu behind the modal runner.
#include "framework/modalrunner.h"

namespace fw {
// Shows the items at the screen point; the chosen command, or 0.
int ShowPopupMenu(const PopupMenuRequest& request);
} // namespace fw
