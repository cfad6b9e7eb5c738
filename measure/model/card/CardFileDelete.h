#pragma once

// Deleting recorded files on the control units' cards ("DEL"). A unit
// from a given firmware on takes "DEL<name>*", which removes every file of
// the recording (header, data, GPS and CAN files); older units take
// "DEL<name>" only.

#include "framework/core/CString.h"
#include "instrument/meter/Kiv406FileInfo.h"

#include <cstdint>
#include <functional>
#include <vector>

class CBoxArray;
class CKivMeter;

namespace cardfiles {

using FileLists = std::vector<std::vector<CKiv406FileInfo>*>;
using MarkLists = std::vector<std::vector<bool>>;
// The continue question with the unit's error text; true repeats the
// command.
using AskContinue = std::function<bool(const fw::CString& text)>;

// Firmware from which the transfer dialog sends the asterisk (1.4B).
inline constexpr uint32_t kTransferWildcardFrom = 0x312E3442;
// Firmware from which the panel's marked-file deletion sends it (1.1B).
inline constexpr uint32_t kMarkedWildcardFrom = 0x312E3142;
// Never: the fetched frequency files are deleted one by one.
inline constexpr uint32_t kNoWildcard = 0xFFFFFFFF;

// The file-name part of an entry's name (card entries may carry a path).
fw::CString CardName(const CKiv406FileInfo& entry);
// "DEL%s*" when `firmware` is at least `wildcardFrom`, else "DEL%s".
fw::CString DeleteCommand(const CKiv406FileInfo& entry, uint32_t firmware, uint32_t wildcardFrom);

// Sends the delete command of `entry` to the unit; a failure is offered
// through `ask` (null: not offered) and repeated while it answers yes.
// False when a failure was not repeated.
bool DeleteWithRetry(CKivMeter& meter, const CKiv406FileInfo& entry, uint32_t wildcardFrom, const AskContinue& ask);

// The entries at `fileIndex` of every box's list (the file set a transfer
// just stored), box by box, from firmware 1.4B with the asterisk.
bool DeleteTransferredFiles(CBoxArray& system, const FileLists& lists, int fileIndex, const AskContinue& ask);

// Every marked entry of every box in use; the first failure is reported
// through the framework's error box and ends the deletion with false.
bool DeleteMarkedFiles(CBoxArray& system, const FileLists& lists, const MarkLists& marks);

// Index by index, the entries of every box that has a list (the count is
// that of the first box with a list), never with the asterisk; a failure
// is offered through `ask` and repeated on yes.
bool DeleteFetchedFiles(CBoxArray& system, const FileLists& lists, const AskContinue& ask);

} // namespace cardfiles
