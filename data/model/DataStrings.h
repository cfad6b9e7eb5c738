#pragma once

// Ids of the program's texts that the measurement-data documents use.

namespace datastr {

inline constexpr unsigned kIdsName = 180;
inline constexpr unsigned kIdsFunction = 202;
inline constexpr unsigned kIdsUnit = 184;
inline constexpr unsigned kIdsFormat = 185;
inline constexpr unsigned kIdsHeadTag = 260;
inline constexpr unsigned kMsgNewerVersion = 175;
inline constexpr unsigned kMsgCannotOverwrite = 477;
inline constexpr unsigned kMsgNotThisDocument = 521;
inline constexpr unsigned kMsgCannotSaveHere = 721;
inline constexpr unsigned kIdsThermocouple = 486;
inline constexpr unsigned kIdsVoltage = 487;

} // namespace datastr
