#include "framework/ui/QtText.h"

namespace fw {

QString CaptionText(const CString& caption)
{
    const int tab = caption.Find('\t');
    return ToQ(tab >= 0 ? caption.Left(tab) : caption);
}

QString ShortcutText(const CString& caption)
{
    const int tab = caption.Find('\t');
    return tab >= 0 ? ToQ(caption.Mid(tab + 1)) : QString();
}

} // namespace fw
