#include "chart/views/ListGraphDialogsImpl.h"

#include "chart/views/ListGraphDlgs.h"
#include "framework/core/Services.h"

bool CListGraphDialogs::EditLabels(CGraphListObj& list)
{
    CGraphListLabelDlg dlg(list);
    return dlg.DoModal() == fw::IDOK;
}

bool CListGraphDialogs::EditScales(CGraphListObj& list)
{
    CGraphListScaleDlg dlg(list);
    return dlg.DoModal() == fw::IDOK;
}

bool CListGraphDialogs::EditDrawTypes(CGraphListObj& list)
{
    CGraphListDrawTypeDlg dlg(list);
    return dlg.DoModal() == fw::IDOK;
}
