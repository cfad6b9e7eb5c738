#include "measure/model/voice/CFVoiceUpdate.h"

#include "framework/core/Exceptions.h"
#include "framework/core/Format.h"
#include "instrument/Kiv406ErrStr.h"
#include "instrument/meter/KivMeter.h"
#include "canvoicegps/voice/VoiceFileInfo.h"
#include "measure/model/DataStream.h"
#include "measure/model/voice/VoiceCopyTarget.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace {

constexpr const char* kVoiceFolderName = "VOICE";

} // namespace

CCFVoiceUpdate::CCFVoiceUpdate(ITransferHost& host, IVoiceCopyTarget& target) : CCFUpdate(host), m_target(target)
{
    m_messageId = kMsgMemoryProgress;
}

CCFVoiceUpdate::~CCFVoiceUpdate() = default;

const std::vector<CKiv406FileInfo>* CCFVoiceUpdate::ListOf(int box) const
{
    if (!m_fileLists || box < 0 || static_cast<size_t>(box) >= m_fileLists->size())
        return nullptr;
    return (*m_fileLists)[static_cast<size_t>(box)];
}

bool CCFVoiceUpdate::Prepare()
{
    m_box = 0;
    while (m_box < FileListCount() && (!ListOf(m_box) || ListOf(m_box)->empty()))
        ++m_box;
    if (m_box >= FileListCount()) {
        m_box = -1;
        return false;
    }
    m_item = 0;
    m_step = 0;
    m_dataFolder = m_target.DataFolder();
    return OpenItem();
}

bool CCFVoiceUpdate::NextChunk()
{
    if (m_done >= m_total)
        return false;
    m_firstChunk = false;
    return true;
}

bool CCFVoiceUpdate::SendRequest()
{
    for (;;) {
        try {
            CKivMeter& meter = MeterOf(m_box);
            // Bytes of a stream given up on must not become this file's.
            DropStaleInput(meter);
            meter.SendDataFileCommand(m_file.m_name.c_str(), "wav");
            return true;
        } catch (const std::exception& e) {
            CKiv406ErrStr texts;
            if (!m_askOnError || !m_host.AskContinue(texts.GetExceptionText(e)))
                return false;
        }
    }
}

bool CCFVoiceUpdate::OpenItem()
{
    const std::vector<CKiv406FileInfo>* list = ListOf(m_box);
    if (!list || m_item < 0 || static_cast<size_t>(m_item) >= list->size())
        fw::ThrowInvalidArgException();
    m_file = (*list)[static_cast<size_t>(m_item)];
    m_step = m_target.FindStepByTime(m_file.m_firstSampleTime, 0);
    m_subFolder = m_step < 0 ? fw::CString(kVoiceFolderName) : m_target.StepFolder(m_step);
    m_fileTitle = VoiceCopyTitle(m_box + 1, m_file.m_name);
    const std::filesystem::path target =
        std::filesystem::path(m_dataFolder.str()) / m_subFolder.str() / (m_fileTitle.str() + ".wav");
    m_targetPath = fw::CString(target.string());
    m_out.close();
    std::error_code ec;
    std::filesystem::create_directories(target.parent_path(), ec);
    m_out.open(target, std::ios::binary | std::ios::trunc);
    if (!m_out) {
        m_host.ReportException(fw::CFileException(fw::CFileException::accessDenied, errno, m_targetPath));
        return false;
    }
    if (!SendRequest()) {
        m_out.close();
        return false;
    }
    m_done = 0;
    m_total = static_cast<unsigned>(std::max(m_file.m_dataSize, 0));
    m_chunk = std::min<unsigned>(m_total, kBlockBytes);
    m_firstChunk = true;
    return true;
}

bool CCFVoiceUpdate::TransferChunk()
{
    // An empty recording is complete at once rather than waited on.
    if (m_done >= m_total)
        return false;
    try {
        m_block.resize(m_chunk);
        ReadDataStream(MeterOf(m_box), m_block, "DAT");
        m_out.write(reinterpret_cast<const char*>(m_block.data()), std::streamsize(m_block.size()));
        if (!m_out)
            throw fw::CFileException(fw::CFileException::diskFull, -1, m_targetPath);
        std::lock_guard lock(m_mutex);
        m_done += m_chunk;
    } catch (const std::exception& e) {
        std::vector<uint8_t>().swap(m_block);
        SetErrorFrom(e);
        return false;
    }
    if (m_done >= m_total) {
        std::vector<uint8_t>().swap(m_block);
        return false;
    }
    m_chunk = std::min(m_chunk, m_total - m_done);
    return true;
}

void CCFVoiceUpdate::Finish()
{
    m_out.close();
    m_target.AddVoiceRecording(m_subFolder, m_fileTitle, m_file.m_firstSampleTime);
    // Every further measurement whose span holds the recording gets a copy.
    namespace fs = std::filesystem;
    while (m_step >= 0 && m_target.CanAddVoice()) {
        m_step = m_target.FindStepByTime(m_file.m_firstSampleTime, m_step + 1);
        if (m_step < 0)
            break;
        const fw::CString folder = m_target.StepFolder(m_step);
        const fs::path copy = fs::path(m_dataFolder.str()) / folder.str() / (m_fileTitle.str() + ".wav");
        std::error_code ec;
        fs::create_directories(copy.parent_path(), ec);
        // Never over an existing file; a copy that fails is left out.
        if (fs::copy_file(m_targetPath.str(), copy, fs::copy_options::none, ec) && !ec)
            m_target.AddVoiceRecording(folder, m_fileTitle, m_file.m_firstSampleTime);
    }
}

bool CCFVoiceUpdate::NextItem()
{
    ++m_item;
    const std::vector<CKiv406FileInfo>* list = ListOf(m_box);
    if (!list || static_cast<size_t>(m_item) >= list->size()) {
        do {
            ++m_box;
        } while (m_box < FileListCount() && (!ListOf(m_box) || ListOf(m_box)->empty()));
        if (m_box >= FileListCount()) {
            m_box = -1;
            return false;
        }
        m_item = 0;
    }
    m_step = 0;
    return OpenItem();
}

void CCFVoiceUpdate::GetCaption(fw::CString& text) const
{
    text = UpdatingText(VoiceFileName(m_file.m_name));
}

int CCFVoiceUpdate::GetFileCount() const
{
    int count = 0;
    for (int box = 0; box < FileListCount(); ++box)
        count += ListOf(box) ? static_cast<int>(ListOf(box)->size()) : 0;
    return count;
}

int CCFVoiceUpdate::GetOrdinal() const
{
    int ordinal = m_item + 1;
    for (int box = 0; box < m_box; ++box)
        ordinal += ListOf(box) ? static_cast<int>(ListOf(box)->size()) : 0;
    return ordinal;
}
