#pragma once

// Opens an address in the desktop's default browser.

#include "canvoicegps/views/settings/GpsMapPublisher.h"

class CQtAddressOpener : public IAddressOpener {
public:
    bool Open(const fw::CString& address) override;
};
