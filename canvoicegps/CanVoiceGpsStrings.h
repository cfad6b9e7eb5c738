#pragma once

// String ids of the CAN/voice/GPS unit (texts in common/resources/strings.tsv).
namespace cvgstr {

// GPS item captions, 740 + item code - 1.
inline constexpr unsigned kGpsItemCaptionFirst = 740;
// "Settings the instrument cannot take" before sending.
inline constexpr unsigned kSettingsNotSendable = 815;
// Firmware 1.4A or older cannot take the unit.
inline constexpr unsigned kNeedsFirmware14B = 792;
// 64 messages, 8 of them send messages at most (%1, %2).
inline constexpr unsigned kTooManyMessages = 811;

// Refused texts: the whole message (%1 line number, %2 reason) and the
// reasons.
inline constexpr unsigned kTextRefused = 4631;
inline constexpr unsigned kBadSignalLine = 4635;
inline constexpr unsigned kBadMessageLine = 4636;
inline constexpr unsigned kBadSlotLine = 4637;

} // namespace cvgstr
