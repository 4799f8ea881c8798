// Qt keys as Windows virtual-key codes.
#pragma once

#include <Qt>

namespace desktop {

// The virtual key of a Qt key, or 0 when it has none we use.
int VirtualKeyOf(int qtKey);

}  // namespace desktop
