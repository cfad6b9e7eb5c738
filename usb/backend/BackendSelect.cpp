#include "usb/backend/UsbBackend.h"

#include "usb/backend/LibusbBackend.h"
#include "usb/backend/LoopbackBackend.h"

#include <cstdlib>

namespace usbio {

std::unique_ptr<IUsbBackend> CreateSystemBackend()
{
    const char* loopback = std::getenv(kLoopbackVariable);
    if (loopback != nullptr && *loopback != '\0')
        return std::make_unique<LoopbackBackend>(loopback);
    return std::make_unique<LibusbBackend>();
}

} // namespace usbio
