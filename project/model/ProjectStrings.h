#pragma once

// String ids of the measurement project (texts in common/resources/strings.tsv).
namespace prjstr {

// Step-column captions of the measurement history.
inline constexpr unsigned kCardFileName = 622;
inline constexpr unsigned kStepDate = 172;
inline constexpr unsigned kStepMethod = 173;
inline constexpr unsigned kStepTitle = 176;
inline constexpr unsigned kStepDuration = 159;
inline constexpr unsigned kStepUnit = 184;
inline constexpr unsigned kStepCycles = 174;
// Kind captions of the per-channel history columns.
inline constexpr unsigned kKindMax = 169;
inline constexpr unsigned kKindMin = 170;
inline constexpr unsigned kKindAverage = 171;
// Units of the measuring time.
inline constexpr unsigned kUnitMillisecond = 154;
inline constexpr unsigned kUnitSecond = 155;
inline constexpr unsigned kUnitMinute = 156;
inline constexpr unsigned kUnitHour = 157;

// Document template texts.
inline constexpr unsigned kProjectType = 129;
inline constexpr unsigned kDataType = 130;
inline constexpr unsigned kGraphType = 131;
inline constexpr unsigned kFreqType = 132;

// Calculated-channel settings and program columns.
inline constexpr unsigned kColName = 180;
inline constexpr unsigned kColFunction = 202;
inline constexpr unsigned kColUnit = 184;
inline constexpr unsigned kColFormat = 185;
inline constexpr unsigned kColOnOff = 195;
inline constexpr unsigned kColUpper = 427;
inline constexpr unsigned kColLower = 428;
inline constexpr unsigned kColOpData1 = 151;
inline constexpr unsigned kColStart = 215;
inline constexpr unsigned kColHour = 212;
inline constexpr unsigned kColMinute = 213;
inline constexpr unsigned kColSecond = 214;
inline constexpr unsigned kColControl = 217;
inline constexpr unsigned kColRepeat = 218;
inline constexpr unsigned kColCompChannel = 220;
inline constexpr unsigned kColChange = 221;
inline constexpr unsigned kColStartCycle = 205;
inline constexpr unsigned kColStepCycle = 206;

// Messages of the project file and document.
inline constexpr unsigned kMsgNewerVersion = 175;
inline constexpr unsigned kMsgSiblingProgram = 731;
inline constexpr unsigned kMsgStopMeasuring = 447;
inline constexpr unsigned kMsgFreeSpace = 523;
inline constexpr unsigned kMsgAdNotAllowed = 540;
inline constexpr unsigned kMsgDataFileSkipped = 4761;
inline constexpr unsigned kMsgCalcChannelsDropped = 4762;
inline constexpr unsigned kMsgBadChangeAmount = 4763;
// History commands.
inline constexpr unsigned kMsgUnsavedSteps = 518;
inline constexpr unsigned kMsgUnsavedLost = 519;
inline constexpr unsigned kMsgRebuildHistory = 251;
inline constexpr unsigned kMsgRemoveUnsaved = 520;
// Subfolders of the data folder.
inline constexpr unsigned kStartUpFolder = 478;
inline constexpr unsigned kVoiceFolder = 791;
// Settings file.
inline constexpr unsigned kSetFileFilter = 873;
inline constexpr unsigned kMsgOverwrite = 874;

// Automatic modes: interval, comparator, cycle.
inline constexpr unsigned kMsgIntervalEmpty = 229;
inline constexpr unsigned kMsgIntervalNoStartTime = 230;
inline constexpr unsigned kMsgIntervalNoSpan = 227;
inline constexpr unsigned kMsgIntervalNoRepeat = 228;
inline constexpr unsigned kMsgIntervalBadGoto = 225;
inline constexpr unsigned kMsgIntervalNoControl = 226;
inline constexpr unsigned kMsgCompEmpty = 237;
inline constexpr unsigned kMsgCompNoChange = 234;
inline constexpr unsigned kMsgCompNoRepeat = 236;
inline constexpr unsigned kMsgCompBadGoto = 232;
inline constexpr unsigned kMsgCompNoControl = 233;
inline constexpr unsigned kMsgCompNoChannel = 235;
inline constexpr unsigned kMsgCycleEmpty = 248;
inline constexpr unsigned kMsgCycleNoStep = 245;
inline constexpr unsigned kMsgCycleNoRepeat = 247;
inline constexpr unsigned kMsgCycleBadGoto = 242;
inline constexpr unsigned kMsgCycleNoControl = 244;

} // namespace prjstr
