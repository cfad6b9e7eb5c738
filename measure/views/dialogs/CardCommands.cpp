#include "measure/views/dialogs/CardCommands.h"

#include "framework/core/Services.h"
#include "instrument/system/BoxPropaty.h"
#include "measure/model/card/CardFileDelete.h"
#include "measure/views/dialogs/BalanceDlgs.h"
#include "measure/views/dialogs/CfSelDelDlg.h"
#include "measure/views/dialogs/MeasureOptionDlgs.h"
#include "measure/views/transfer/CFDataGetDlg.h"
#include "measure/views/transfer/CFUpdateDlg.h"
#include "measure/views/transfer/TransferSession.h"
#include "measure/views/voice/VoiceUpdateDlg.h"
#include "project/model/KIV5980Doc.h"

#include <algorithm>

namespace cardcommands {

namespace {

constexpr int kCodeOnOff = 0;
constexpr int kCodeBalance = 15;
constexpr int kCodeDmc = 50;

cardfiles::FileLists Pointers(std::vector<std::vector<CKiv406FileInfo>>& lists)
{
    cardfiles::FileLists out;
    for (auto& list : lists)
        out.push_back(&list);
    return out;
}

} // namespace

std::vector<std::vector<CKiv406FileInfo>> CopyLists(CBoxArray& system, int which)
{
    std::vector<std::vector<CKiv406FileInfo>> lists;
    for (int b = 0; b < system.GetBoxCount(); ++b)
        lists.push_back(system.GetBox(b)->FileList(which));
    return lists;
}

bool ReadCardData(CKIV5980Doc& doc, const Captions& captions, fw::CWnd* parent)
{
    CBoxArray& system = doc.GetBoxArray();
    if (!system.HaltMeasurement(true) || !system.ReadFileLists(false, true))
        return false;
    CCFDataGetDlg dlg(parent);
    dlg.m_captions = captions;
    dlg.SetFoundLists(CCFDataGetDlg::kWaveform, CopyLists(system, CBoxPropaty::kWaveList));
    dlg.SetFoundLists(CCFDataGetDlg::kFrequency, CopyLists(system, CBoxPropaty::kHistList));
    dlg.SetFoundLists(CCFDataGetDlg::kVoice, CopyLists(system, CBoxPropaty::kVoiceList));
    if (dlg.DoModal() == fw::IDOK) {
        const CCFDataGetDlg::FileLists& waves = dlg.GetRegisteredLists(CCFDataGetDlg::kWaveform);
        if (!waves.empty() && !waves.front()->empty()) {
            CCFUpdateDlg transfer(parent);
            transfer.SetDocument(&doc);
            transfer.SetFileSelection(&waves);
            transfer.m_nMode = CTransferSession::kChosenCardFiles;
            transfer.m_bUseFileFormat = dlg.m_nUseFileFormat != 0;
            transfer.DoModal();
            system.SelectLatestFiles(CBoxPropaty::kWaveList);
        }
        const CCFDataGetDlg::FileLists& hists = dlg.GetRegisteredLists(CCFDataGetDlg::kFrequency);
        if (!hists.empty() && !hists.front()->empty()) {
            doc.ImportHistogramData(hists, true);
            system.SelectLatestFiles(CBoxPropaty::kHistList);
        }
        // The copy takes every box's chosen recordings at once.
        const CCFDataGetDlg::FileLists& voices = dlg.GetRegisteredLists(CCFDataGetDlg::kVoice);
        if (std::any_of(voices.begin(), voices.end(), [](const auto* list) { return list && !list->empty(); })) {
            CVoiceUpdateDlg copy(parent);
            copy.SetDocument(&doc);
            copy.SetFileLists(&voices);
            copy.DoModal();
            system.SelectLatestFiles(CBoxPropaty::kVoiceList);
        }
    }
    dlg.FreeFileLists();
    return true;
}

bool SelectDeleteCardFiles(CBoxArray& system, const Captions& captions, fw::CWnd* parent)
{
    if (!system.ReadFileLists(false, true))
        return false;
    auto waves = CopyLists(system, CBoxPropaty::kWaveList);
    auto hists = CopyLists(system, CBoxPropaty::kHistList);
    auto voices = CopyLists(system, CBoxPropaty::kVoiceList);
    const cardfiles::FileLists wavePtrs = Pointers(waves);
    const cardfiles::FileLists histPtrs = Pointers(hists);
    const cardfiles::FileLists voicePtrs = Pointers(voices);
    CCfSelDelDlg dlg(parent);
    dlg.m_captions = captions;
    dlg.SetFileLists(CCfSelDelDlg::kWaveform, &wavePtrs);
    dlg.SetFileLists(CCfSelDelDlg::kFrequency, &histPtrs);
    dlg.SetFileLists(CCfSelDelDlg::kVoice, &voicePtrs);
    if (dlg.DoModal() == fw::IDOK) {
        // Each kind only after the one before went through.
        if (cardfiles::DeleteMarkedFiles(system, wavePtrs, dlg.GetMarks(CCfSelDelDlg::kWaveform)) &&
            cardfiles::DeleteMarkedFiles(system, histPtrs, dlg.GetMarks(CCfSelDelDlg::kFrequency)))
            cardfiles::DeleteMarkedFiles(system, voicePtrs, dlg.GetMarks(CCfSelDelDlg::kVoice));
        if (!system.ReadFileLists(true, true)) {
            dlg.FreeMarks();
            return false;
        }
    }
    dlg.FreeMarks();
    return true;
}

bool SetRecordData(CBoxArray& system, fw::CWnd* parent)
{
    CSaveModeDlg dlg(parent);
    dlg.m_nMode = system.GetSaveMode();
    if (dlg.DoModal() != fw::IDOK)
        return true;
    system.SetSaveMode(dlg.m_nMode);
    return system.SendSaveMode();
}

std::vector<int16_t> BalanceCandidates(CBoxArray& system)
{
    std::vector<int16_t> channels;
    for (int ch = 0; ch < system.GetMeasuringCount(); ++ch) {
        if (system.GetChannelValue(ch, kCodeOnOff) != 1 || !system.IsChannelAttrEditable(ch, kCodeBalance))
            continue;
        if (system.IsChannelAttrEditable(ch, kCodeDmc) && system.GetChannelValue(ch, kCodeDmc) == 1)
            continue;
        channels.push_back(static_cast<int16_t>(ch));
    }
    return channels;
}

bool Balance(CKIV5980Doc& doc, fw::CWnd* parent)
{
    CBoxArray& system = doc.GetBoxArray();
    std::vector<int16_t> channels = BalanceCandidates(system);
    CBalDlg dlg(system.GetTankList(), channels, parent);
    if (dlg.DoModal() != fw::IDOK)
        return true;
    if (!system.RunBalance(channels, dlg.m_nRecordShift != 0))
        return false;
    doc.SetModifiedFlag(true);
    doc.UpdateAllViews(nullptr);
    return true;
}

void CalibrationOutput(CBoxArray& system, fw::CWnd* parent)
{
    CCalOutDlg dlg(parent);
    dlg.SetSystem(&system);
    dlg.DoModal();
}

} // namespace cardcommands
