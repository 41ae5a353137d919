// A push button (VCL's `TButton`): `Enabled` and a click handler.
#pragma once

#include <QPushButton>

using TButton = QPushButton;
