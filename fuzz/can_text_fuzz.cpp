// The CAN database text and the CAN/voice/GPS unit's settings text.

#include "fuzz/FuzzTarget.h"

#include "canvoicegps/CanNodeArray.h"
#include "canvoicegps/Kiv463Unit.h"

#include <memory>

KIV_FUZZ_TARGET(can_text_fuzz)
{
    kivfuzz::RegisterEverything();
    if (size == 0)
        return 0;
    const std::string_view text = kivfuzz::AsText(data + 1, size - 1);
    if (data[0] % 2 == 0) {
        CCanNodeArray database;
        size_t position = 0;
        const bool send = data[0] % 4 == 0;
        const std::string_view header = send ? CCanNodeArray::kSendHeader : CCanNodeArray::kReceiveHeader;
        const size_t at = text.find(header);
        position = at == std::string_view::npos ? 0 : at + header.size();
        kivfuzz::RefusedAsDamage([&] { database.ReadMessages(send, text, position); });
        if (position > text.size())
            __builtin_trap();
        return 0;
    }
    auto unit = std::make_unique<CKiv463Unit>();
    unit->InitChannels();
    kivfuzz::RefusedAsDamage([&] { unit->ReadSettingsText(text); });
    return 0;
}
