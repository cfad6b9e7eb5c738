#include "canvoicegps/views/settings/QtAddressOpener.h"

#include <QDesktopServices>
#include <QString>
#include <QUrl>

bool CQtAddressOpener::Open(const fw::CString& address)
{
    // The address is already encoded; take it as it is.
    const QUrl url(QString::fromUtf8(address.c_str()), QUrl::StrictMode);
    return url.isValid() && QDesktopServices::openUrl(url);
}
