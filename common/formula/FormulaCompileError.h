#pragma once

// Raises a compile error as the program's exception carrying the code; the
// order's compiler catches it and keeps the code.
[[noreturn]] void ThrowFormulaError(int code);
