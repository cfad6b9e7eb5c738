#pragma once

// Texts of the channel name lists, the data selection and the naming
// settings.
namespace naming {
inline constexpr unsigned kIdsNameColumn = 180;      // "名前"
inline constexpr unsigned kIdsNumberColumn = 207;    // "NO"
inline constexpr unsigned kIdpEnterNumber = 222;     // "数値を入力してください。"
inline constexpr unsigned kIdpNoDataSelected = 238;  // "データが選択されていません。"
} // namespace naming
