#pragma once
// The real message box behind the modal runner.
#include "framework/modalrunner.h"

namespace fw {
// Shows the box and returns IDOK, IDCANCEL, IDYES or IDNO.
int ShowMessageBox(const MessageBoxRequest& request);
} // namespace fw
