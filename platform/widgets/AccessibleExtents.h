#pragma once

namespace kd {

// Qt 6.4's bridge to the desktop's accessibility bus (AT-SPI) reports where objects are in
// Qt's device-independent pixels. Zoomed by Qt's scale, a 200 % window would be reported at
// half its size and place, and a magnifier following the focus or a click by switch access
// would miss it. This puts a small relay in front of the bridge: the questions about place and
// size (Component's GetExtents, GetPosition, GetSize, Contains, GetAccessibleAtPoint) are
// answered in device pixels, everything else goes to Qt's bridge unchanged.
//
// Call once the application exists. The relay is put in place when accessibility comes on
// (Qt's bridge joins the bus only while an assistive tool is about); nothing runs before, and
// nothing on other platforms.
void ReportDevicePixelsToAssistiveTools();

}  // namespace kd
