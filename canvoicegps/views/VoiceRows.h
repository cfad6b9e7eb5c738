#pragma once

// What the voice pages of the project and of a data document share: one
// recording at a time played from a row of the voice list (a second click
// on the playing row stops it, the end of the recording closes it), the
// update rules of their play, stop and rename commands, and renaming the
// recordings of selected rows on disk with the numbered naming pattern,
// never over another file.

#include "framework/core/CString.h"
#include "grid/model/GridTypes.h"

#include <cstdint>
#include <functional>

class CVoiceListObj;
namespace fw {
class CWnd;
}

class CVoiceRowPlayer {
public:
    CVoiceRowPlayer() = default;
    ~CVoiceRowPlayer() { Stop(); }
    CVoiceRowPlayer(const CVoiceRowPlayer&) = delete;
    CVoiceRowPlayer& operator=(const CVoiceRowPlayer&) = delete;

    // Plays recording `row` of the list found under `dataFolder`, or only
    // stops it when it is the one playing.
    void Toggle(const CVoiceListObj& list, const fw::CString& dataFolder, int32_t row);
    void Stop();
    bool IsPlaying() const { return m_device != 0; }
    int32_t GetPlayingRow() const { return m_row; }

    // The commands' update rules over the grid's selection and the list's
    // last row.
    bool CanPlay(const CCellRange& selection, int32_t lastRow) const;
    bool CanRename(const CCellRange& selection, int32_t lastRow) const;

private:
    unsigned m_device = 0;
    int32_t m_row = -1;
};

// Renames the recordings of rows first to last after the naming dialog;
// `folderOf` gives the folder of a row's file. Stops at the first name that
// is taken (message `existsMessage`) or any other failure; false then or
// when the dialog was cancelled.
bool RenameVoiceRows(fw::CWnd* parent, CVoiceListObj& list, int32_t first, int32_t last,
                     const std::function<fw::CString(int32_t row)>& folderOf, unsigned existsMessage);
