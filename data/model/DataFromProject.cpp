// A finished measurement becomes a measurement-data document: the record's
// channels, settings, definitions and marks are taken from the project and
// the document is saved into a new folder of the project's data folder.

#include "data/model/KivDataDoc.h"

#include "data/model/DataStrings.h"
#include "data/model/KivDataBoxPropaty.h"
#include "framework/core/DateTime.h"
#include "framework/core/Exceptions.h"
#include "framework/core/FileSystem.h"
#include "framework/core/Format.h"
#include "framework/core/Services.h"
#include "instrument/meter/KivMeter.h"
#include "instrument/system/BoxArray.h"
#include "instrument/system/BoxPropaty.h"
#include "project/model/KIV5980Doc.h"
#include "project/model/MMAObject.h"

#include <cmath>
#include <filesystem>
#include <system_error>

namespace {

constexpr int kAttrOnOff = 0;
constexpr int kAttrSource = 201;
constexpr const char* kDataExtension = ".kivd";

} // namespace

bool CKivDataBoxArray::BuildFromProject(CBoxArray& system)
{
    try {
        DeleteBoxes();
        int total = 0;
        for (int b = 0; b < system.GetBoxCount(); ++b) {
            CBoxPropaty* source = system.GetBox(b);
            auto box = std::make_unique<CKivDataBoxPropaty>();
            box->SetName(source->GetName());
            const int inputs = source->GetInputCount();
            box->SetRowCount(inputs);
            for (int ch = 0; ch < inputs; ++ch) {
                tagBOXCH ref = source->GetChannelRef(ch);
                box->ChannelMap().Add(ref);
            }
            box->CreateColumns();
            total += inputs;
            AddBox(box.release());
        }
        SetTotalRows(total);
        RebuildChannelMap();
        m_tanks.CopyFrom(system.GetTankList());
        m_sourceCodes.assign(static_cast<size_t>(total), 0);
        for (int ch = 0; ch < total; ++ch) {
            if (system.GetChannelValue(ch, kAttrOnOff) != 1)
                m_tanks.ReleaseTankAt(ch);
            for (int col = 0; col < CKivDataBoxPropaty::kColumnCount; ++col) {
                fw::CString text;
                system.GetChannelText(ch, CKivDataBoxPropaty::ColumnAttribute(col), text);
                SetChannelText(ch, col, text);
            }
            m_sourceCodes[static_cast<size_t>(ch)] = static_cast<int16_t>(system.GetChannelValue(ch, kAttrSource));
        }
        m_markers.DeleteAll();
        m_markers.TakeAllFrom(system.GetMarkers());
        m_gpsTanks.CopyList(system.GetGpsTanks());
        m_canTanks.CopyList(system.GetCanTanks());
    } catch (const std::exception& e) {
        fw::AfxMessageBox(fw::CString(e.what()), fw::MB_OK | fw::MB_ICONEXCLAMATION);
        return false;
    }
    return true;
}

fw::CString CKivDataDoc::NewDataFolderName(const fw::CString& dataFolder, double startTime)
{
    const fw::CString base = fw::COleDateTime(startTime).Format("D%y%m%d%H%M%S");
    // A start time that is no date would name the folder "" or "_1".
    if (base.IsEmpty())
        return base;
    std::error_code ec;
    for (int n = 0;; ++n) {
        const fw::CString name = n == 0 ? base : fw::Format("%s_%d", base, n);
        if (!std::filesystem::exists(std::filesystem::path(fw::fs::PathJoin(dataFolder, name).str()), ec))
            return name;
    }
}

// The samples were taken at the clock the first control unit kept, which
// is the project's only when the unit took the project's settings.
void CKivDataDoc::TakeUnitTimeBase(CBoxArray& system)
{
    const CKivMeter* unit = system.GetBoxCount() > 0 ? system.GetBox(0)->GetMeter() : nullptr;
    if (!unit)
        return;
    const double asked = m_adSet.m_dClk;
    const double clock = unit->GetValue(0, CKivMeter::kAttrInterval);
    if (clock > 0)
        m_adSet.m_dClk = clock;
    m_adSet.m_nPreNum = static_cast<int>(unit->GetValue(0, CKivMeter::kAttrPreTrigger));
    m_adSet.m_nExtClk = static_cast<int>(unit->GetValue(0, CKivMeter::kAttrClockSource));
    // The recorded file names its own clock; a unit that did not take the
    // project's settings is told of, never labelled with the wrong clock.
    const CKiv406FileInfo& file = system.GetBox(0)->CurrentFile(CBoxPropaty::kWaveList);
    if (m_adSet.UsesExternalClock() || file.m_name.IsEmpty() || file.m_clockKind != CKiv406FileInfo::clockInterval ||
        !(file.m_interval > 0))
        return;
    if (std::fabs(file.m_interval - m_adSet.m_dClk) > 1e-9 * m_adSet.m_dClk) {
        fw::AfxMessageBox(fw::Format(datastr::kTextOtherClock, asked, file.m_interval),
                          fw::MB_OK | fw::MB_ICONEXCLAMATION);
        m_adSet.m_dClk = file.m_interval;
    }
}

bool CKivDataDoc::CreateFromProject(CKIV5980Doc& project)
{
    CBoxArray& system = project.GetActiveBoxArray();
    if (!m_boxes.BuildFromProject(system)) {
        SetModifiedFlag(false);
        return false;
    }
    m_adSet = system.GetADSet();
    TakeUnitTimeBase(system);
    m_adSet.m_nNum = m_boxes.GetTankList().GetMaxDataCount(0, -1);
    if (m_styles[kStyleChannel])
        m_styles[kStyleChannel]->SetRowCount(std::max(GetChannelCount(), 1));
    if (m_styles[kStyleValues])
        m_styles[kStyleValues]->SetRowCount(std::max(m_adSet.m_nNum, 1));
    CopyDefinitionsFrom(project.GetCalcSettings());
    RebuildChannels();
    RebuildGpsChannels();

    CMMAObject& history = project.GetHistory();
    const int step = history.GetLastIndex();
    m_strTestTitle = project.GetTestTitle();
    if (step >= 0) {
        m_dStartTime = history.GetStepTime(step).m_dt;
        m_dCycleCount = history.GetCycleCount(step);
        m_nMethod = static_cast<int16_t>(history.GetMeasureMethod(step));
        m_strCardFile = history.GetCardFileName(step);
    }

    bool saved = false;
    const fw::CString dataFolder = project.GetDataFolder();
    const fw::CString name = NewDataFolderName(dataFolder, m_dStartTime);
    if (name.IsEmpty()) {
        fw::AfxMessageBox(fw::CString(datastr::kTextBadStartTime), fw::MB_OK | fw::MB_ICONEXCLAMATION);
    } else if (CKIV5980Doc::CreateDataFolder(dataFolder)) {
        const fw::CString folder = fw::fs::PathJoin(dataFolder, name);
        std::error_code ec;
        if (std::filesystem::create_directory(std::filesystem::path(folder.str()), ec)) {
            saved = OnSaveDocument(fw::fs::PathJoin(folder, name + kDataExtension));
            if (saved && step >= 0)
                history.SetDataFileName(step, name);
        }
    }
    SetModifiedFlag(false);
    return saved;
}

void CKivDataDoc::CopyDefinitionsFrom(CDataSPSetTank* source)
{
    if (!source || !m_pDefinitions)
        return;
    int lastRow = -1;
    for (int c = 0; c < std::min(source->GetSize(), 4); ++c) {
        CDataTankObject* column = source->GetObjectAt(c);
        if (column)
            lastRow = std::max(lastRow, column->GetLastFilledIndex());
    }
    for (int row = 0; row <= lastRow; ++row) {
        for (int c = 0; c < 4; ++c) {
            CDataTankObject* column = source->GetObjectAt(c);
            fw::CString text;
            if (column && row < column->GetDataCount())
                column->GetValueText(row, text, false);
            if (!text.IsEmpty())
                SetDefinitionText(c, row, text, nullptr);
        }
    }
}
