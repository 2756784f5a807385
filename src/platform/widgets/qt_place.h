#pragma once

#include "platform/place.h"

#include <QRect>

namespace kadoru {

// A place of the written layout as Qt's rectangle: the same pixels, since the Qt
// windows keep to the layout's own.
inline QRect qt_rect(const Place& place) {
    return {place.x, place.y, place.width, place.height};
}

} // namespace kadoru
