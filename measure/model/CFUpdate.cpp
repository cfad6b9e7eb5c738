#include "measure/model/CFUpdate.h"

#include "common/calc/CashCalcuDataTank.h"
#include "common/tank/DataTankObject.h"
#include "common/tank/ZELDataPoter.h"
#include "framework/core/Exceptions.h"
#include "framework/core/Format.h"
#include "framework/core/StringTable.h"
#include "instrument/meter/HeaderKeys.h"
#include "instrument/meter/KivMeter.h"
#include "instrument/system/BoxPropaty.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

namespace {

constexpr int kMaxSeries = 80;
constexpr int kWideBits = 32;

fw::CString ListItem(const fw::CString& list, int k)
{
    fw::CString item;
    SplitHeaderList(list.c_str(), k, item);
    return item;
}

} // namespace

CCFUpdate::CCFUpdate(ITransferHost& host) : m_host(host) {}

CCFUpdate::~CCFUpdate() = default;

bool CCFUpdate::Prepare()
{
    m_box = 0;
    return OpenItem();
}

bool CCFUpdate::NextChunk()
{
    m_stored += m_count;
    if (m_stored >= m_total)
        return false;
    if (m_count > m_total - m_stored)
        m_count = m_total - m_stored;
    m_firstChunk = false;
    return true;
}

bool CCFUpdate::OpenItem()
{
    return true;
}

bool CCFUpdate::NextItem()
{
    ++m_box;
    if (m_box >= GetBoxArray().GetBoxCount())
        return false;
    return OpenItem();
}

void CCFUpdate::GetCaption(fw::CString&) const {}

unsigned CCFUpdate::GetPosition() const
{
    return m_stored;
}

bool CCFUpdate::TransferChunk()
{
    return true;
}

void CCFUpdate::StoreChunk(unsigned) {}

void CCFUpdate::Finish()
{
    CBoxPropaty* box = GetBoxArray().GetBox(m_box);
    const int channels = box->GetInputCount();
    for (int i = 0; i < channels; ++i) {
        if (box->GetChannelValue(i, CBoxPropaty::kAttrOnOff) != 1.0)
            continue;
        CDataTankObject* tank = box->GetChannelTank(i);
        if (!tank)
            continue;
        if (tank->GetDataCount() > static_cast<int64_t>(m_total))
            tank->SetSize(static_cast<int>(m_total), false);
        double max = HUGE_VAL;
        double min = HUGE_VAL;
        GetTankMaxMin(tank, max, min, 0, -1);
        tank->SetMax(max);
        tank->SetMin(min);
        tank->SetAverage(GetTankAverage(tank, 0, -1));
        if (auto* cache = dynamic_cast<CCashCalcuDataTank*>(tank))
            cache->ReleaseCacheWindow();
    }
}

bool CCFUpdate::HasUnit463() const
{
    return false;
}

bool CCFUpdate::HasMoreBoxes() const
{
    return m_box < GetBoxArray().GetBoxCount();
}

CBoxArray& CCFUpdate::GetBoxArray() const
{
    return m_host.GetActiveBoxArray();
}

unsigned CCFUpdate::ChunkRowsFor(int rowBytes)
{
    if (rowBytes <= 0)
        return 0;
    const int rows = kChunkBytes / rowBytes / kChunkRowStep * kChunkRowStep;
    // Rows wider than 1 KiB still move at least one row per chunk.
    return static_cast<unsigned>(std::max(rows, 1));
}

// ------------------------------------------------------- channel selection

void CCFUpdate::SizeSelections(int boxes)
{
    m_selections.assign(static_cast<size_t>(std::max(boxes, 0)), {});
    m_fileRowBytes.assign(static_cast<size_t>(std::max(boxes, 0)), 0);
}

const std::vector<int16_t>& CCFUpdate::GetSelection(int box) const
{
    if (box < 0 || static_cast<size_t>(box) >= m_selections.size())
        fw::ThrowInvalidArgException();
    return m_selections[static_cast<size_t>(box)];
}

int CCFUpdate::GetFileRowBytes(int box) const
{
    if (box < 0 || static_cast<size_t>(box) >= m_fileRowBytes.size())
        fw::ThrowInvalidArgException();
    return m_fileRowBytes[static_cast<size_t>(box)];
}

void CCFUpdate::BuildChannelSelection(int box, const char* header)
{
    if (box < 0)
        fw::ThrowInvalidArgException();
    if (static_cast<size_t>(box) >= m_selections.size()) {
        m_selections.resize(static_cast<size_t>(box) + 1);
        m_fileRowBytes.resize(static_cast<size_t>(box) + 1, 0);
    }
    std::vector<int16_t>& selection = m_selections[static_cast<size_t>(box)];
    selection.clear();
    const int series = std::clamp(std::atoi(HeaderValue(header, "NUM_SERIES").c_str()), 0, kMaxSeries);
    const fw::CString bits = HeaderValue(header, "BIT_LENGTH");
    const fw::CString names = HeaderValue(header, "SERIES");
    const CKivMeter& meter = MeterOf(box);
    // A series is one 16-bit word, or two for a 32-bit one; the words of a
    // series start after every word of the series before it, whatever
    // their widths.
    int word = 0;
    bool all = true;
    for (int i = 1; i <= series; ++i) {
        const int width = bits.IsEmpty() ? 16 : std::atoi(ListItem(bits, i).c_str());
        const int words = width == kWideBits ? 2 : 1;
        const fw::CString name = ListItem(names, i);
        const int channel = name.GetLength() > 3 ? std::atoi(name.c_str() + 3) : 0;
        const bool kept = channel >= 1 && channel <= CKivMeter::kChannels &&
                          meter.GetValue(channel - 1, CKivMeter::kAttrOnOff) == 1.0;
        if (kept) {
            for (int j = 0; j < words; ++j)
                selection.push_back(static_cast<int16_t>(word + j));
        } else {
            all = false;
        }
        word += words;
    }
    m_fileRowBytes[static_cast<size_t>(box)] = word * 2;
    if (all)
        selection.clear();
}

void CCFUpdate::SelectChannels(int box, unsigned rows)
{
    const std::vector<int16_t>& selection = GetSelection(box);
    if (selection.empty())
        return;
    const size_t fileWords = static_cast<size_t>(GetFileRowBytes(box)) / 2;
    const size_t kept = selection.size();
    if (static_cast<size_t>(rows) * fileWords * 2 > m_data.size())
        fw::ThrowInvalidArgException();
    uint8_t* data = m_data.data();
    // In place: every word moves towards the front, never over a word that
    // is still to be read.
    for (size_t r = 0; r < rows; ++r) {
        for (size_t j = 0; j < kept; ++j) {
            const size_t from = (r * fileWords + static_cast<size_t>(selection[j])) * 2;
            const size_t to = (r * kept + j) * 2;
            std::memmove(data + to, data + from, 2);
        }
    }
}

void CCFUpdate::CopyProgressFrom(const CCFUpdate& other)
{
    m_box = other.m_box;
    m_stored = other.m_stored;
    m_count = other.m_count;
    m_total = other.m_total;
    m_rowBytes = other.m_rowBytes;
    m_data = other.m_data;
}

// ---------------------------------------------------------------- helpers

const CKiv406FileInfo& CCFUpdate::EntryOf(int box) const
{
    if (!m_fileLists || box < 0 || static_cast<size_t>(box) >= m_fileLists->size() ||
        !(*m_fileLists)[static_cast<size_t>(box)])
        fw::ThrowInvalidArgException();
    const std::vector<CKiv406FileInfo>& list = *(*m_fileLists)[static_cast<size_t>(box)];
    if (m_fileIndex < 0 || static_cast<size_t>(m_fileIndex) >= list.size())
        throw std::out_of_range("invalid vector<T> subscript");
    return list[static_cast<size_t>(m_fileIndex)];
}

int CCFUpdate::FileListCount() const
{
    return m_fileLists ? static_cast<int>(m_fileLists->size()) : 0;
}

CKivMeter& CCFUpdate::MeterOf(int box) const
{
    CKivMeter* meter = GetBoxArray().GetBox(box)->GetMeter();
    if (!meter)
        fw::ThrowInvalidArgException();
    return *meter;
}

void CCFUpdate::SetErrorText(const fw::CString& text)
{
    std::string bytes = text.str();
    if (bytes.size() > kMaxErrorBytes) {
        size_t cut = kMaxErrorBytes;
        // Never cut inside a UTF-8 character.
        while (cut > 0 && (static_cast<unsigned char>(bytes[cut]) & 0xC0) == 0x80)
            --cut;
        bytes.resize(cut);
    }
    m_error = fw::CString(bytes.c_str());
}

void CCFUpdate::SetErrorFrom(const std::exception& e)
{
    fw::CString text;
    if (const auto* fe = dynamic_cast<const fw::CException*>(&e); !fe || !fe->GetErrorMessage(text))
        text = e.what();
    SetErrorText(text);
}

fw::CString CCFUpdate::CannotReadText(const fw::CString& path)
{
    return fw::Format(fw::LoadStringText(kIdsCannotRead), path.c_str());
}

fw::CString CCFUpdate::UpdatingText(const fw::CString& name)
{
    return fw::Format(fw::LoadStringText(kIdsUpdating), name.c_str());
}
