#pragma once

namespace zalvo {

// The window that owns a message box, opaque to the core. The program passes its widgets
// through controls/QtOwner.h; tests pass any distinct address. nullptr means no owner.
using OwnerWindow = void*;

} // namespace zalvo
