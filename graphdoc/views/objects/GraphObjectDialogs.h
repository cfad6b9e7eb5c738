#pragma once

// Installs the dialogs that the spectrum, legend and monitor objects of the
// graph pages run (fw::Install<IGraphObjectDialogs>).
void InstallGraphObjectDialogs();

class CGraphViewDoc;
// The regression dialog on a page: IDOK, IDCANCEL, or CRegressDlg's result
// for a deleted regression.
int RunRegressionDialog(CGraphViewDoc& page);
