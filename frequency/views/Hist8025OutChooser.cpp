#include "frequency/views/Hist8025OutChooser.h"

#include "framework/core/Services.h"
#include "frequency/views/C8025OutDlg.h"

bool CHist8025OutChooser::Choose(const CHistCountArray* analyses, CHistOutParam& options)
{
    C8025OutDlg dlg(options, analyses);
    return dlg.DoModal() == fw::IDOK;
}
