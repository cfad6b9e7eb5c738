#pragma once

#include <cstdint>
#include <span>

// Evaluation routines of formula operations. The functions of the
// calculation function table use their table index, so that an entry and its
// routine convert into each other; the operators follow.
enum class CalcRoutine : int16_t {
    None = -1,
    Ch = 0, No, Sqrt, Abs, Log10, Ln, Pi, Acos, Asin, Atan, Cos, Sin, Tan,
    Nave, Nsum, Nemax, Nemin, Ntemax, Npdeg, Nex, Ney, Nsmax, Nsmin, Ntsmax,
    Const, Nf4dt, Nf3dt, Ndevi, Ntr, Natan, Nfsub, Nfadd, Naadd, Nmax, Nmin,
    Nfx5, Iround, Sgn,
    Add = 100, Subtract, Multiply, Divide, Power,
};

// Function categories: the compiler reduces a formula category by category.
enum : uint16_t {
    kCalcCategoryConstant = 0,   // CONST: created by the compiler only
    kCalcCategoryNumeric = 1,    // one-argument numeric functions and PI
    kCalcCategoryChannel = 2,    // CH(k)
    kCalcCategoryCalculated = 3, // NO(k)
    kCalcCategoryList = 4,       // statistics over a list of references
    kCalcCategoryReferenced = 5, // functions of referenced channels
    kCalcCategoryHistory = 6,    // functions that also read earlier steps
};

// One entry of the calculation function table (the function picker reads it).
struct tagCALCFUNC {
    uint16_t picker;              // 1: the picker lists the entry
    uint16_t maxArguments;        // 1 marks a single-argument function
    uint16_t arguments;           // exact count for categories 5 and 6
    uint16_t referenceArguments;  // leading arguments that name channels
    uint16_t category;
    uint16_t lowestReference;
    uint16_t highestReference;
    uint16_t reserved;
    const char* usage;
    const char* keyword;
    CalcRoutine routine;
};

inline constexpr int kCalcFunctionCount = 38;
// String-table id of the picker description of entry 0; entry i uses +i.
inline constexpr unsigned kCalcFunctionHelpBaseId = 265;

// The whole table in lookup order.
std::span<const tagCALCFUNC, kCalcFunctionCount> CalcFunctionTable();

// Copies entry `index`; false when index is not below 38.
bool GetCalcFunctionEntry(int index, tagCALCFUNC& entry);

// The table entry of a function routine; null for operators and None.
const tagCALCFUNC* FindCalcFunction(CalcRoutine routine);
