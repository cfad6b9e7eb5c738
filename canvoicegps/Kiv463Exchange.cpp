#include "canvoicegps/Kiv463Exchange.h"

#include "canvoicegps/CanAttributes.h"
#include "canvoicegps/Kiv463Unit.h"
#include "common/base/ZelException.h"
#include "framework/core/Cp932.h"
#include "framework/core/StringTable.h"
#include "instrument/meter/Kiv406FileInfo.h"
#include "instrument/meter/KivMeter.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <span>
#include <string>
#include <type_traits>
#include <vector>

namespace unit463 {

namespace {

constexpr const char* kListCommand = "DIR TOP/data_mem";
constexpr std::string_view kFilePrefix = "KIV463_";
constexpr std::string_view kFileSuffix = ".SET";

// "The value stored now" in a value check.
constexpr int kAllowStored = 0x8000;
// What a message must be valid for before the settings go to the unit.
constexpr int kCheckedMessageCodes[] = {canattr::kIdentifier, canattr::kIdFormat, canattr::kNodeName,
                                        canattr::kStartBit,   canattr::kLength,   canattr::kSource};

template <class Unit> auto* As463(Unit& unit)
{
    using Target = std::conditional_t<std::is_const_v<Unit>, const CKiv463Unit, CKiv463Unit>;
    return unit.IsKindOf(FW_RUNTIME_CLASS(CKiv463Unit)) ? static_cast<Target*>(&unit) : nullptr;
}

CMeterInterface& LinkOf(CKivMeter& meter)
{
    CMeterInterface* link = meter.GetInterface();
    if (!link)
        throw CZelException(CMeterInterface::kErrTransfer, CMeterInterface::kMsgCommFailure);
    return *link;
}

bool EqualNoCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'a' && x <= 'z')
            x = static_cast<char>(x - 'a' + 'A');
        if (y >= 'a' && y <= 'z')
            y = static_cast<char>(y - 'a' + 'A');
        if (x != y)
            return false;
    }
    return true;
}

bool ParseDecimal(std::string_view text, int32_t& value)
{
    if (text.empty() || text.size() > 9)
        return false;
    int32_t v = 0;
    for (char ch : text) {
        if (ch < '0' || ch > '9')
            return false;
        v = v * 10 + (ch - '0');
    }
    value = v;
    return true;
}

// "KIV463_<nn>.SET,<size>": the port number 1..10 and the size; false for
// any other line of the listing. Names match without regard to case.
bool ParseListLine(std::string_view line, int& port, int32_t& size)
{
    const size_t comma = line.find(',');
    if (comma == std::string_view::npos)
        return false;
    const std::string_view name = line.substr(0, comma);
    if (name.size() != kFilePrefix.size() + 2 + kFileSuffix.size() ||
        !EqualNoCase(name.substr(0, kFilePrefix.size()), kFilePrefix) ||
        !EqualNoCase(name.substr(kFilePrefix.size() + 2), kFileSuffix))
        return false;
    int32_t number = 0;
    std::string_view sizeText = line.substr(comma + 1);
    while (!sizeText.empty() && sizeText.front() == ' ')
        sizeText.remove_prefix(1);
    while (!sizeText.empty() && (sizeText.back() == ' ' || sizeText.back() == '\r'))
        sizeText.remove_suffix(1);
    if (!ParseDecimal(name.substr(kFilePrefix.size(), 2), number) || number < 1 || number > CKivMeter::kPorts ||
        !ParseDecimal(sizeText, size))
        return false;
    port = number;
    return true;
}

[[noreturn]] void ThrowUnitError(const fw::CString& command, int number)
{
    fw::CString message;
    message.Format(fw::LoadStringText(kMsgUnitError), command, number);
    throw CZelException(kZelErrorUnitReply + number, message.c_str());
}

// The listed size of each port's settings file, 0 when not listed.
std::array<int32_t, CKivMeter::kPorts> ListSettingsFiles(CKivMeter& meter)
{
    std::array<int32_t, CKivMeter::kPorts> sizes{};
    meter.Send(kListCommand);
    CMeterInterface& link = LinkOf(meter);
    for (;;) {
        meter.ReadReply();
        const fw::CString& reply = link.GetReply();
        if (reply.Left(3) == "END")
            break;
        int port = 0;
        int32_t size = 0;
        if (ParseListLine(reply.view(), port, size))
            sizes[static_cast<size_t>(port - 1)] = size;
    }
    return sizes;
}

void FetchSettingsFile(CKivMeter& meter, int port, int32_t size, CKiv463Unit& unit)
{
    fw::CString command;
    command.Format("DAT TOP/data_mem/KIV463_%0.2d.SET", port + 1);
    if (size > kMaxSettingsFileBytes)
        throw CZelException(kErrInvalidReply, kMsgInvalidReply);
    meter.Send(command);
    std::vector<uint8_t> block(static_cast<size_t>(size));
    const int read = LinkOf(meter).ReadBlock(meter.GetAddress(), std::span<uint8_t>(block), false);
    if (read != size)
        throw CZelException(kErrInvalidReply, kMsgInvalidReply);
    const std::string bytes(block.begin(), block.end());
    if (bytes.compare(0, 3, "ERR") == 0)
        ThrowUnitError(command, CZELMeter::ParseErrorCode(fw::CString(bytes.substr(0, 16))));
    unit.ReadSettingsText(fw::cp932::FromCp932(bytes));
}

} // namespace

CKiv463Unit* UnitInPort(const CKivMeter& meter, int port)
{
    CKivUnit* unit = meter.GetUnit(port);
    return unit && unit->IsKindOf(FW_RUNTIME_CLASS(CKiv463Unit)) ? static_cast<CKiv463Unit*>(unit) : nullptr;
}

void SendSettings(CKivMeter& meter)
{
    for (int port = 0; port < CKivMeter::kPorts; ++port) {
        const CKiv463Unit* unit = UnitInPort(meter, port);
        if (!unit)
            continue;
        fw::CStringArray lines;
        unit->WriteSettingsText(lines);
        fw::CString command;
        command.Format("FTC%d", port + 1);
        meter.Send(command);
        CMeterInterface& link = LinkOf(meter);
        for (const fw::CString& line : lines)
            link.Send(meter.GetAddress(), line, meter.GetDelimiter());
        meter.Command("[END]");
    }
}

void ReceiveSettings(CKivMeter& meter)
{
    const std::array<int32_t, CKivMeter::kPorts> sizes = ListSettingsFiles(meter);
    for (int port = 0; port < CKivMeter::kPorts; ++port) {
        CKiv463Unit* unit = UnitInPort(meter, port);
        const int32_t size = sizes[static_cast<size_t>(port)];
        if (unit && size != 0)
            FetchSettingsFile(meter, port, size, *unit);
    }
}

void ClearCanDuplicateFlags(CKivMeter& meter)
{
    for (int port = 0; port < CKivMeter::kPorts; ++port)
        if (CKiv463Unit* unit = UnitInPort(meter, port))
            unit->Messages().ClearDuplicateMarks();
}

bool SettingsAllowed(const CKivUnit& unit)
{
    const CKiv463Unit* can = As463(unit);
    if (!can)
        return true;
    if (!can->CheckValue(0, CKiv463Unit::kAttrMemoryCheck, kAllowStored))
        return false;
    for (int entry = 0; entry < CCanNodeArray::kEntries; ++entry) {
        const C463CanMesNode* message = can->Messages().GetAt(entry);
        if (!message)
            continue;
        for (int code : kCheckedMessageCodes)
            if (!message->IsAttributeValid(code))
                return false;
    }
    return true;
}

void MarkDuplicateIds(CKivUnit& unit)
{
    CKiv463Unit* can = As463(unit);
    if (!can)
        return;
    CCanNodeArray& messages = can->Messages();
    for (int entry = 0; entry < CCanNodeArray::kEntries; ++entry) {
        const C463CanMesNode* message = messages.GetAt(entry);
        if (message && message->IsSend())
            messages.MarkDuplicateId(message);
    }
}

void CopyUnitSettings(CKivUnit& target, const CKivUnit& source)
{
    CKiv463Unit* to = As463(target);
    const CKiv463Unit* from = As463(source);
    if (to && from)
        to->Copy(*from);
}

bool HasStorage(const CKivMeter& meter)
{
    for (int port = 0; port < CKivMeter::kPorts; ++port)
        if (const CKiv463Unit* unit = UnitInPort(meter, port); unit && unit->HasStorage())
            return true;
    return false;
}

void GetMemoryFileInfo(CKivMeter& meter, CKiv406FileInfo& info, const char* extension)
{
    fw::CString command;
    command.Format("DIR %s.%s", info.m_name, extension ? extension : "");
    meter.Send(command);
    info.Reset();
    info.m_name.Empty();
    CMeterInterface& link = LinkOf(meter);
    for (;;) {
        meter.ReadReply();
        const fw::CString& reply = link.GetReply();
        if (reply.Left(3) == "END")
            break;
        const int comma = reply.Find(',');
        if (comma < 0)
            continue;
        // The name loses its dot and three-letter extension.
        info.m_name = reply.Left(std::max(0, comma - 4));
        int32_t size = 0;
        fw::CString sizeText = reply.Mid(comma + 1);
        sizeText.Trim();
        info.m_dataSize = ParseDecimal(sizeText.view(), size) ? size : 0;
    }
}

bool GetSettingsText(const CKivMeter& meter, int port, fw::CStringArray& lines)
{
    const CKiv463Unit* unit = UnitInPort(meter, port);
    if (!unit)
        return false;
    unit->WriteSettingsText(lines);
    return true;
}

} // namespace unit463
