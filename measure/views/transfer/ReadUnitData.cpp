#include "measure/views/transfer/ReadUnitData.h"

#include "framework/core/StringTable.h"
#include "measure/views/transfer/CFDataGetDlg.h"
#include "measure/views/transfer/CFUpdateDlg.h"
#include "measure/views/transfer/TransferSession.h"
#include "project/model/KIV5980Doc.h"

namespace readunitdata {

namespace {

fw::CString Caption(unsigned id, const fw::COleDateTime& time)
{
    if (time.GetStatus() != fw::COleDateTime::valid)
        return {};
    return fw::Format(fw::LoadStringText(id).c_str(), time.Format(fw::LoadStringText(kIdsCaptionTime).c_str()));
}

} // namespace

std::array<fw::CString, 3> Captions(CKIV5980Doc& doc)
{
    std::array<fw::CString, 3> captions;
    const int step = doc.GetHistory().GetLastIndex();
    if (step >= 0)
        captions[0] = Caption(kIdsLastMeasured, doc.GetHistory().GetStepTime(step));
    const int row = doc.GetFreqHistory().GetMaxIndex();
    if (row >= 0)
        captions[1] = Caption(kIdsLastMeasured, doc.GetFreqHistory().GetStartTime(row));
    const int voice = doc.GetVoiceList().GetMaxIndex();
    if (voice >= 0)
        captions[2] = Caption(kIdsLastRecorded, fw::COleDateTime(doc.GetVoiceList().GetRecordDate(voice)));
    return captions;
}

int ReadUnitData(CKIV5980Doc& doc, fw::CWnd* parent)
{
    CCFDataGetDlg dlg(parent);
    dlg.m_bFolderMode = true;
    dlg.m_captions = Captions(doc);
    dlg.SetUnitCount(doc.GetBoxArray().GetBoxCount());
    if (dlg.DoModal() != fw::IDOK) {
        dlg.FreeFileLists();
        return -1;
    }
    if ((doc.GetPathName().IsEmpty() || doc.IsModified()) && !doc.DoFileSave()) {
        dlg.FreeFileLists();
        return -1;
    }
    doc.GetUndoBuffer().Release(0);
    int result = 0;
    const CCFDataGetDlg::FileLists& waves = dlg.GetRegisteredLists(CCFDataGetDlg::kWaveform);
    if (!waves.empty() && !waves.front()->empty()) {
        CCFUpdateDlg transfer(parent);
        transfer.SetDocument(&doc);
        transfer.SetFileSelection(&waves);
        transfer.m_nMode = CTransferSession::kCardFolder;
        transfer.m_bUseFileFormat = dlg.m_nUseFileFormat != 0;
        result = transfer.DoModal();
    }
    const CCFDataGetDlg::FileLists& hists = dlg.GetRegisteredLists(CCFDataGetDlg::kFrequency);
    if (!hists.empty() && !hists.front()->empty())
        doc.ImportHistogramData(hists, false);
    doc.CopyVoiceFiles(dlg.GetRegisteredLists(CCFDataGetDlg::kVoice));
    dlg.FreeFileLists();
    return result;
}

} // namespace readunitdata
