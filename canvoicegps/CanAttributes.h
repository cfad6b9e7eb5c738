#pragma once

// Attribute codes through which the CAN views and the measuring system's
// settings check read, edit and validate messages and signals, and the
// fixed texts those attributes show.

namespace canattr {

// Messages.
inline constexpr int kMessageName = 203;
inline constexpr int kIdentifier = 204;
inline constexpr int kIdFormat = 205;
inline constexpr int kDataLength = 206;
inline constexpr int kNodeName = 207;
inline constexpr int kRemoteFrame = 208;

// Signals.
inline constexpr int kSignalName = 209;
inline constexpr int kSign = 210;
inline constexpr int kByteOrder = 211;
inline constexpr int kStartBit = 212;
inline constexpr int kLength = 213;
inline constexpr int kFactor = 214;
inline constexpr int kOffset = 215;
inline constexpr int kMinimum = 216;
inline constexpr int kMaximum = 217;
inline constexpr int kUnit = 218;
inline constexpr int kDecimals = 219;
inline constexpr int kSource = 220;
inline constexpr int kLsbPosition = 221;

inline constexpr int kFirstSignalCode = kSignalName;
inline constexpr int kLastSignalCode = kLsbPosition;

// Texts, matched exactly when a view writes them back.
inline constexpr const char* kStandardText = "標準";
inline constexpr const char* kExtendedText = "拡張";
inline constexpr const char* kUnsignedText = "符号なし";
inline constexpr const char* kSignedText = "符号あり";
inline constexpr const char* kMotorolaText = "Motorola";
inline constexpr const char* kIntelText = "Intel";
inline constexpr const char* kOffText = "OFF";
inline constexpr const char* kOnText = "ON";

// Names are single-byte text of at most this many characters.
inline constexpr int kNameChars = 16;

} // namespace canattr
