#pragma once

// The frame data of a recorded CAN file: blocks, each an int16 length
// (counting its own two bytes) and frame records (int32 time stamp, int8
// message slot 1-64, int8 data length 1-8, the data bytes), decoded into
// the time tank of each message and the value tanks of its signals.

#include "framework/core/CString.h"

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

class CCanDataTankList;
class CCanNodeArray;

using CanFrameCounters = std::array<int, 64>;

// A block length that no block can have: shorter than its own length
// field.
constexpr int kCanMinBlockBytes = 2;

// The length of the block at the start of `bytes`; -1 when fewer than two
// bytes are there.
int CanBlockLength(std::span<const uint8_t> bytes);

// Decodes one whole block (its length field included). A record with a
// data length outside 1-8, or whose bytes run past the block, ends the
// block; a slot outside 1-64 or without a message is passed over. Tanks
// grow by 100 values whenever a message's frames reach its time tank's
// size. Returns the frames stored.
int DecodeCanBlock(CCanNodeArray& messages, std::span<const uint8_t> block, CanFrameCounters& counters);

// Walks the complete blocks at the front of `bytes` and decodes them
// (when `messages` is given). Returns the bytes of the complete blocks,
// or -1 for a damaged block (a length below two) with `damagedAt` its
// offset.
int64_t WalkCanBlocks(CCanNodeArray* messages, std::span<const uint8_t> bytes, CanFrameCounters& counters,
                      int64_t& damagedAt);

// The message database in front of the frames: every block from the
// first "[CAN_MESSAGE_" header on, into `messages`.
void ReadCanDatabase(CCanNodeArray& messages, std::string_view header);

// The FILE_OFFSET of a CAN file's first bytes (the number 12 characters
// after the key); -1 when missing.
int64_t CanFileOffset(std::span<const uint8_t> firstBytes);

// Tanks for every message and signal that has none yet, behind the list's
// channels: the message's time stamps, then the signals' values.
void BuildCanTanks(CCanDataTankList& list, CCanNodeArray& messages);
// Each message with frames: its tanks cut to the frames, extremes, mean,
// windows released.
void FinishCanTanks(CCanNodeArray& messages, const CanFrameCounters& counters);
