#include "common/formula/CalcFunctionTable.h"

namespace {

constexpr tagCALCFUNC kTable[kCalcFunctionCount] = {
    {1, 2, 1, 1, 2, 1, 160, 0, "CH()", "CH", CalcRoutine::Ch},
    {1, 2, 1, 1, 3, 1, 1000, 0, "NO()", "NO", CalcRoutine::No},
    {1, 1, 1, 0, 1, 0, 0, 0, "SQRT()", "SQRT", CalcRoutine::Sqrt},
    {1, 1, 1, 0, 1, 0, 0, 0, "ABS()", "ABS", CalcRoutine::Abs},
    {1, 1, 1, 0, 1, 0, 0, 0, "LOG10()", "LOG10", CalcRoutine::Log10},
    {1, 1, 1, 0, 1, 0, 0, 0, "LN()", "LN", CalcRoutine::Ln},
    {1, 1, 0, 0, 1, 0, 0, 0, "PI()", "PI", CalcRoutine::Pi},
    {1, 1, 1, 0, 1, 0, 0, 0, "ACOS()", "ACOS", CalcRoutine::Acos},
    {1, 1, 1, 0, 1, 0, 0, 0, "ASIN()", "ASIN", CalcRoutine::Asin},
    {1, 1, 1, 0, 1, 0, 0, 0, "ATAN()", "ATAN", CalcRoutine::Atan},
    {1, 1, 1, 0, 1, 0, 0, 0, "COS()", "COS", CalcRoutine::Cos},
    {1, 1, 1, 0, 1, 0, 0, 0, "SIN()", "SIN", CalcRoutine::Sin},
    {1, 1, 1, 0, 1, 0, 0, 0, "TAN()", "TAN", CalcRoutine::Tan},
    {1, 20, 20, 20, 4, 1, 1000, 0, "NAVE(n,n..)", "NAVE", CalcRoutine::Nave},
    {1, 10, 10, 10, 4, 1, 1000, 0, "NSUM(n,n..)", "NSUM", CalcRoutine::Nsum},
    {1, 5, 5, 3, 5, 1, 1000, 0, "NEMAX(nx,ny,nz,E,ν)", "NEMAX", CalcRoutine::Nemax},
    {1, 5, 5, 3, 5, 1, 1000, 0, "NEMIN(nx,ny,nz,E,ν)", "NEMIN", CalcRoutine::Nemin},
    {1, 5, 5, 3, 5, 1, 1000, 0, "NTEMAX(nx,ny,nz,E,ν)", "NTEMAX", CalcRoutine::Ntemax},
    {1, 3, 3, 3, 5, 1, 1000, 0, "NPDEG(nx,ny,nz)", "NPDEG", CalcRoutine::Npdeg},
    {1, 4, 4, 2, 5, 1, 1000, 0, "NEX(nx,ny,E,ν)", "NEX", CalcRoutine::Nex},
    {1, 4, 4, 2, 5, 1, 1000, 0, "NEY(nx,ny,E,ν)", "NEY", CalcRoutine::Ney},
    {1, 3, 3, 3, 5, 1, 1000, 0, "NSMAX(nx,ny,nz)", "NSMAX", CalcRoutine::Nsmax},
    {1, 3, 3, 3, 5, 1, 1000, 0, "NSMIN(nx,ny,nz)", "NSMIN", CalcRoutine::Nsmin},
    {1, 3, 3, 3, 5, 1, 1000, 0, "NTSMAX(nx,ny,nz)", "NTSMAX", CalcRoutine::Ntsmax},
    {0, 1, 1, 0, 0, 0, 0, 0, "CONST()", "CONST", CalcRoutine::Const},
    {1, 7, 7, 1, 6, 1, 1000, 0, "NF4DT(Tn,1,a,b,c,d,e)", "NF4DT", CalcRoutine::Nf4dt},
    {1, 6, 6, 1, 6, 1, 1000, 0, "NF3DT(Tn,1,a,b,c,d)", "NF3DT", CalcRoutine::Nf3dt},
    {1, 2, 2, 1, 6, 1, 1000, 0, "NDEVI(no,1)", "NDEVI", CalcRoutine::Ndevi},
    {1, 2, 2, 1, 5, 1, 1000, 0, "NTR(no,360)", "NTR", CalcRoutine::Ntr},
    {1, 2, 2, 2, 5, 1, 1000, 0, "NATAN(nx,ny)", "NATAN", CalcRoutine::Natan},
    {1, 1, 1, 1, 6, 1, 1000, 0, "NFSUB(no)", "NFSUB", CalcRoutine::Nfsub},
    {1, 1, 1, 1, 6, 1, 1000, 0, "NFADD(no)", "NFADD", CalcRoutine::Nfadd},
    {1, 1, 1, 1, 6, 1, 1000, 0, "NAADD(no)", "NAADD", CalcRoutine::Naadd},
    {1, 20, 20, 20, 4, 1, 1000, 0, "NMAX(n,n..)", "NMAX", CalcRoutine::Nmax},
    {1, 20, 20, 20, 4, 1, 1000, 0, "NMIN(n,n..)", "NMIN", CalcRoutine::Nmin},
    {1, 7, 7, 1, 5, 1, 1000, 0, "NFX5(NO,a,b,c,d,e,f)", "NFX5", CalcRoutine::Nfx5},
    {1, 1, 1, 0, 1, 0, 0, 0, "IROUND()", "IROUND", CalcRoutine::Iround},
    {1, 1, 1, 0, 1, 0, 0, 0, "SGN()", "SGN", CalcRoutine::Sgn},
};

} // namespace

std::span<const tagCALCFUNC, kCalcFunctionCount> CalcFunctionTable()
{
    return std::span<const tagCALCFUNC, kCalcFunctionCount>(kTable);
}

bool GetCalcFunctionEntry(int index, tagCALCFUNC& entry)
{
    if (index < 0 || index >= kCalcFunctionCount)
        return false;
    entry = kTable[index];
    return true;
}

const tagCALCFUNC* FindCalcFunction(CalcRoutine routine)
{
    const int index = static_cast<int>(routine);
    if (index < 0 || index >= kCalcFunctionCount)
        return nullptr;
    return &kTable[index];
}
