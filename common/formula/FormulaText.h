#pragma once

// The text form of formulas: normalisation, the syntax pre-check and the
// lexical operations the rewriting compiler is built from. A formula is
// reduced in place: every recognised piece becomes a register reference
// "@n" until the text reads "=@0". Positions are byte offsets into the
// normalised (single-byte) text.

#include "framework/core/CString.h"

// Single-byte forms, no blanks, upper case, "=" in front. Answers whether
// the result differs from the source; an empty source gives an empty
// result and false.
bool NormalizeFormula(const fw::CString& source, fw::CString& normalized);

// 0, or 3 when the text does not begin with "=", the counts of "(" and ")"
// differ, or it contains "@".
int CheckFormulaSyntax(const fw::CString& text);

// Position of the first keyword of `category`, tried in table order, that is
// directly followed by "("; -1 when none.
int FindFunctionOfCategory(const fw::CString& text, int category);

// From `position`, the first call of the category (entries tried in table
// order, each at its first occurrence). On success `position` is the
// keyword's position, `entry` its table index, `open`/`close` the
// parentheses and `arguments` the text between them.
bool FindFunctionCall(const fw::CString& text, int category, int& position, int& entry, int& open, int& close,
                      fw::CString& arguments);

// The same for one keyword.
bool FindKeywordCall(const fw::CString& text, const char* keyword, int& position, int& open, int& close,
                     fw::CString& arguments);

// open = first "(" at or after `from`; close = where the nesting count
// returns to 0. False when there is no "(" or it never closes.
bool FindMatchingParenthesis(const fw::CString& text, int from, int& open, int& close);

// close = first ")"; open = last "(" before it (0 when none); inner = the text
// strictly between. False when the text has no ")".
bool FindInnermostGroup(const fw::CString& text, fw::CString& inner, int& open, int& close);

// 0 for an empty text, else the number of "," plus one.
int CountFormulaArguments(const fw::CString& arguments);

// Start position and text of the n-th (1-based) argument; -1 when fewer.
int GetFormulaArgument(const fw::CString& arguments, int n, fw::CString& text);

// The operand that ends just before the operator at `position`.
fw::CString ScanLeftOperand(const fw::CString& text, int position);

// The operand that starts at `position`: an optional sign, then digits,
// ".", "E" and at most one "@".
fw::CString ScanRightOperand(const fw::CString& text, int position);

// Number rules shared by the compiler: the whole text must be a finite
// number (full-width digits allowed, as everywhere in the program).
bool FormulaTextToNumber(const fw::CString& text, double& value);
// An integral number, as channel numbers and references must be.
bool FormulaTextToInteger(const fw::CString& text, int& value);
// "@" followed by decimal digits only; the register number.
bool ParseRegisterReference(const fw::CString& text, int& reg);

// Renumbers the channel references of a stored formula after channel rows
// moved: every reference above `threshold` gets `offset` added; one that
// then falls to `threshold` or below becomes "Err" (which later fails to
// compile). CH references follow only when `includeCH` is set. Answers
// whether the text changed; a malformed call stops the renumbering, keeping
// the rewrites made before it.
bool ShiftFormulaChannels(fw::CString& text, bool includeCH, int threshold, int offset);
