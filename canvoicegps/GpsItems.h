#pragma once

// The fifteen GPS items a data slot can take (slot codes 1..15): codes
// 1..10 are corrected items, available only with speed correction on;
// 11..15 come straight from the receiver. An item's value is an integer in
// the unit of its caption, so its coefficient is 10 to the minus its
// decimals; items held in 32 bits take their slot and the next one.

namespace gpsitem {

inline constexpr int kFirst = 1;
inline constexpr int kLastCorrected = 10;
inline constexpr int kLast = 15;
// Slot code 9: the distance that attribute 15 may zero.
inline constexpr int kRoadDistance = 9;

bool IsItem(int code);
bool IsCorrected(int code);
bool TakesTwoSlots(int code);
// The keyword of the settings text ("lon_rela_dst" ... "gps_trk"); empty
// for a code that is no item.
const char* Name(int code);
// The code of a keyword; 0 when it is none.
int CodeOfName(const char* name);
// Index of the item's unit in the 41 engineering units (29 blank).
int UnitIndex(int code);
// String id of the item's caption.
unsigned CaptionId(int code);

} // namespace gpsitem

// Decimal places shown for a GPS item: 2 for codes 1, 2, 7, 8, 9; 7 for 3,
// 4, 11, 12; 1 for 6, 14, 15; 0 for any other code.
int GetGpsItemDecimals(int code);
