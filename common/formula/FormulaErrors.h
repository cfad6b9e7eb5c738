#pragma once

// Compile error codes of formulas. The calculation-channel tables show a
// failed formula as "Error%d:%s", so the numbers are what users see.

inline constexpr int kFormulaOk = 0;
// An operand missing or not a number, a call or group that cannot be
// delimited, an empty group, text left over after reduction.
inline constexpr int kFormulaErrorMalformed = 1;
// No leading "=", unbalanced parenthesis counts, or an "@" typed by the user.
inline constexpr int kFormulaErrorSyntax = 3;
// A channel number, reference or step count outside its range.
inline constexpr int kFormulaErrorRange = 4;
// The formula refers to its own channel.
inline constexpr int kFormulaErrorSelfReference = 5;
// Empty CH()/NO(), wrong argument count, or a reference without CH/NO.
inline constexpr int kFormulaErrorArguments = 6;
// The argument of a one-argument function is not a number after reduction.
inline constexpr int kFormulaErrorNotNumeric = 7;
// The compiled formula cannot be attached to a tank holding another data type.
inline constexpr int kFormulaErrorResultType = 8;
// The formula needs more evaluation registers than exist. Refused at compile
// time so that evaluation never writes past its register file.
inline constexpr int kFormulaErrorTooComplex = 9;
