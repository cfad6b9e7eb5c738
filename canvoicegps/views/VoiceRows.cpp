#include "canvoicegps/views/VoiceRows.h"

#include "canvoicegps/voice/VoiceListObj.h"
#include "canvoicegps/voice/VoicePlayback.h"
#include "framework/core/FileSystem.h"
#include "framework/core/Format.h"
#include "framework/core/Services.h"
#include "framework/core/ServiceSlot.h"
#include "framework/core/StringTable.h"
#include "project/views/ProjectBaseView.h"
#include "project/views/ReNamePrf.h"
#include "project/views/RenameDlgs.h"

#include <cerrno>

namespace {

constexpr const char* kWavExtension = ".wav";

} // namespace

void CVoiceRowPlayer::Stop()
{
    if (m_device != 0)
        if (IVoicePlayback* player = fw::Installed<IVoicePlayback>())
            player->Stop(m_device);
    m_device = 0;
    m_row = -1;
}

void CVoiceRowPlayer::Toggle(const CVoiceListObj& list, const fw::CString& dataFolder, int32_t row)
{
    const int32_t playing = m_row;
    Stop();
    if (playing == row || row < 0 || row > list.GetMaxIndex())
        return;
    const unsigned device = list.PlayRecording(dataFolder, row, [this] {
        // The end of the recording closes it, as a stop would.
        m_device = 0;
        m_row = -1;
    });
    if (device != 0) {
        m_device = device;
        m_row = row;
    }
}

bool CVoiceRowPlayer::CanPlay(const CCellRange& selection, int32_t lastRow) const
{
    return lastRow >= 0 && selection.IsValid() && selection.top <= lastRow && m_device == 0;
}

bool CVoiceRowPlayer::CanRename(const CCellRange& selection, int32_t lastRow) const
{
    return m_device == 0 && selection.IsValid() && selection.top <= lastRow;
}

bool RenameVoiceRows(fw::CWnd* parent, CVoiceListObj& list, int32_t first, int32_t last,
                     const std::function<fw::CString(int32_t row)>& folderOf, unsigned existsMessage)
{
    CRenameDatafileDlg dlg(parent);
    dlg.m_prf = CProjectBaseView::RenameSetting();
    dlg.m_prf.m_nNoNumber = first == last ? 1 : 0;
    if (dlg.DoModal() != fw::IDOK)
        return false;
    CProjectBaseView::RenameSetting() = dlg.m_prf;
    CReNamePrf pattern = dlg.m_prf;
    if (!pattern.Validate())
        return false;
    pattern.m_strExtension = kWavExtension;
    for (int32_t row = first; row <= last && row <= list.GetMaxIndex(); ++row) {
        const fw::CString title = list.GetFileName(row);
        if (title.IsEmpty())
            continue;
        fw::CString name;
        pattern.MakeName(name);
        const fw::CString folder = folderOf(row);
        const fw::CString from = fw::fs::PathJoin(folder, title + kWavExtension);
        const fw::CString to = fw::fs::PathJoin(folder, name + kWavExtension);
        fw::CFileException error;
        // The move itself refuses an existing name, so nothing is overwritten
        // even when the name was taken a moment ago.
        if (!fw::fs::RenameNoReplace(from, to, &error)) {
            fw::CString text;
            if (error.m_errno == EEXIST)
                text = fw::Format(fw::LoadStringText(existsMessage), name.c_str(), title.c_str());
            else
                error.GetErrorMessage(text);
            fw::AfxMessageBox(text, fw::MB_OK | fw::MB_ICONINFORMATION);
            return false;
        }
        list.SetFileName(row, name);
    }
    return true;
}
