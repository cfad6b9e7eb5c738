#pragma once

// String ids of the document framework's texts.

inline constexpr unsigned kIdsOpData1 = 151;        // "Op.Data1"
inline constexpr unsigned kIdsOpData2 = 152;        // "Op.Data2"
inline constexpr unsigned kIdsOpData3 = 153;        // "Op.Data3"
inline constexpr unsigned kIdsTestTitle = 176;      // "試験タイトル"
inline constexpr unsigned kIdpCannotOverwrite = 477;
