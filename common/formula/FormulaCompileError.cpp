#include "common/formula/FormulaCompileError.h"

#include "common/base/ZelException.h"

void ThrowFormulaError(int code)
{
    // Compile errors are codes without message texts.
    throw CZelException(code, 0u);
}
