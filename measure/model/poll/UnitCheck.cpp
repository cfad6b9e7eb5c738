#include "measure/model/poll/UnitCheck.h"

#include "instrument/meter/KivMeter.h"
#include "instrument/system/BoxPropaty.h"
#include "instrument/unit/UnitTexts.h"

#include <string>

namespace {

constexpr int kFieldChars = 7;
constexpr int kFieldPitch = 8;

} // namespace

int PortTypeCode(const fw::CString& reply, int port)
{
    const int at = (port - 1) * kFieldPitch;
    if (at >= reply.GetLength())
        return 0;
    std::string field(reply.view().substr(static_cast<size_t>(at), kFieldChars));
    while (!field.empty() && (field.back() == ' ' || field.back() == ','))
        field.pop_back();
    size_t first = field.find_first_not_of(' ');
    if (first == std::string::npos)
        return 0;
    field.erase(0, first);
    return GetUnitTypeCode(field.c_str());
}

std::optional<UnitMismatch> CheckUnitPorts(CBoxArray& system)
{
    for (int b = 0; b < system.GetBoxCount(); ++b) {
        CKivMeter* meter = system.GetBox(b)->GetMeter();
        if (!meter)
            continue;
        fw::CString reply;
        meter->Query("STA2", reply);
        for (int port = 1; port <= CKivUnitTypes::kPorts; ++port) {
            const int plugged = PortTypeCode(reply, port);
            const int expected = meter->GetUnitType(port - 1);
            if (plugged == expected)
                continue;
            UnitMismatch m;
            m.box = b;
            m.port = port;
            m.pluggedCode = plugged;
            m.messageId = plugged < 0 ? kMsgUnknownUnit : plugged != 0 ? kMsgOtherUnit : kMsgNoUnit;
            return m;
        }
    }
    return std::nullopt;
}
