#pragma once

#include "binding/OwnerWindow.h"

#include <QWidget>

// The core knows owner windows only as opaque handles; these are the two crossings.
inline zalvo::OwnerWindow ownerHandle(QWidget* window) {
    return static_cast<void*>(window);
}

inline QWidget* ownerWidget(zalvo::OwnerWindow owner) {
    return static_cast<QWidget*>(owner);
}
