#include "tests/common/formula/FakeChannelList.h"

#include "common/formula/FormulaErrors.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using formulatest::CompileFor;

namespace {

std::string Repeat(const char* piece, int n, const char* separator)
{
    std::string s;
    for (int i = 0; i < n; ++i) {
        if (i > 0)
            s += separator;
        s += piece;
    }
    return s;
}

struct ErrorRow {
    std::string name;
    std::string text;
    int16_t channel;
    int16_t chLimit;
    int code;
};

class FormulaCompileErrors : public ::testing::TestWithParam<ErrorRow> {};

TEST_P(FormulaCompileErrors, GivesCode)
{
    const ErrorRow& row = GetParam();
    CDataCalcuOrder order;
    EXPECT_EQ(CompileFor(order, row.text.c_str(), row.channel, row.chLimit), row.code);
    EXPECT_EQ(order.GetError(), row.code);
    if (row.code != 0) {
        // A failed formula leaves only its code behind.
        EXPECT_EQ(order.GetOperationCount(), 0);
        EXPECT_EQ(order.GetPass(), 0);
        EXPECT_EQ(order.GetChannel(), 0);
    }
}

const ErrorRow kErrorRows[] = {
    {"constant", "=1+2*3", 500, 16, 0},
    {"operator_without_left", "=*5", 500, 16, 1},
    {"equals_alone", "=", 500, 16, 1},
    {"ch_with_limit_zero", "=CH(1)", 500, 0, 4},
    {"ch_limit_unset", "=CH(1)", 500, -1, 4},
    {"ch_above_limit", "=CH(17)", 500, 16, 4},
    {"ch_at_limit", "=CH(16)", 500, 16, 0},
    {"ch_empty", "=CH()", 500, 16, 6},
    {"ch_expression", "=CH(1+1)", 500, 16, 4},
    {"ch_fraction", "=CH(1.5)", 500, 16, 4},
    {"no_self", "=NO(3)", 502, 16, 5},
    {"no_zero", "=NO(0)", 500, 16, 4},
    {"no_above_1000", "=NO(1001)", 500, 16, 4},
    {"list_self", "=NAVE(NO3,NO1)", 502, 16, 5},
    {"list_without_prefix", "=NAVE(1,2)", 500, 16, 6},
    {"list_empty", "=NAVE()", 500, 16, 1},
    {"list_reference_not_integer", "=NAVE(NO1.5)", 500, 16, 6},
    {"list_reference_range", "=NAVE(NO1001)", 500, 16, 4},
    {"list_of_25_references", "=NAVE(" + Repeat("NO2", 25, ",") + ")", 500, 16, 0},
    {"channel_function_argument_count", "=NTR(NO1)", 500, 16, 6},
    {"nex_missing_poisson", "=NEX(NO2,NO3,200000)", 500, 16, 6},
    {"channel_function_number_missing", "=NTR(NO2,)", 500, 16, 1},
    {"channel_function_number_text", "=NTR(NO2,X)", 500, 16, 1},
    {"step_count_zero", "=NDEVI(NO1,0)", 501, 16, 4},
    {"step_count_32767", "=NDEVI(NO1,32767)", 501, 16, 4},
    {"step_count_32766", "=NDEVI(NO1,32766)", 501, 16, 0},
    {"pi_with_argument", "=PI(1)", 500, 16, 1},
    {"sqrt_without_argument", "=SQRT()", 500, 16, 1},
    {"sqrt_of_two_arguments", "=SQRT(1,2)", 500, 16, 7},
    {"const_typed_by_user", "=CONST(5)", 500, 16, 1},
    {"signed_exponent", "=1E-5", 500, 16, 1},
    {"unsigned_exponent", "=1E5", 500, 16, 0},
    {"at_sign", "=A@1", 500, 16, 3},
    {"unbalanced", "=(1", 500, 16, 3},
    {"parentheses_reversed", "=)1(", 500, 16, 1},
    {"call_never_closed", "=)NAVE(NO1", 500, 16, 1},
    {"two_operands_no_operator", "=CH(1)CH(2)", 500, 16, 1},
    {"sign_before_register", "=2*-CH(1)", 500, 16, 1},
    {"operator_without_right", "=2^", 500, 16, 1},
    {"empty_group", "=2*()", 500, 16, 1},
    {"digits_glued_to_call", "=CH(1).5*2", 500, 16, 1},
    {"digits_glued_inside_function", "=SQRT(CH(1)5)", 500, 16, 7},
    {"fifty_registers", "=" + Repeat("CH(1)", 50, "+"), 500, 16, 0},
    {"fifty_one_registers", "=" + Repeat("CH(1)", 51, "+"), 500, 16, kFormulaErrorTooComplex},
    {"fifty_one_constant_products", "=" + Repeat("2*3", 51, "+"), 500, 16, kFormulaErrorTooComplex},
    {"lower_case_is_upper_cased", "=sqrt(4)", 500, 16, 0},
};

INSTANTIATE_TEST_SUITE_P(Table, FormulaCompileErrors, ::testing::ValuesIn(kErrorRows),
                         [](const auto& info) { return info.param.name; });

struct Op {
    CalcRoutine routine;
    int16_t kind;
    double first;
    double second;
    int16_t reg;
};

struct OperationRow {
    const char* name;
    const char* text;
    int16_t pass;
    std::vector<Op> ops;
};

TEST(FormulaCompile, OperationListsTable)
{
    using R = CalcRoutine;
    const OperationRow rows[] = {
        {"constant_product", "=2*3", 1, {{R::Multiply, 0, 2, 3, 0}}},
        {"two_channels", "=CH(1)+CH(2)", 2, {{R::Ch, 0, 1, 0, 0}, {R::Ch, 0, 2, 0, 1}, {R::Add, 3, 0, 1, 0}}},
        {"function_of_constant", "=SQRT(4)", 1, {{R::Sqrt, 5, 4, 0, 0}}},
        {"function_of_register", "=SQRT(CH(1))", 2, {{R::Ch, 0, 1, 0, 0}, {R::Sqrt, 6, 0, 0, 0}}},
        {"bare_number", "=5", 1, {{R::Const, 5, 5, 0, 0}}},
        {"pi", "=PI()", 1, {{R::Pi, 5, 0, 0, 0}}},
        {"no_gets_channel_index", "=NO(3)", 3, {{R::No, 0, 502, 0, 0}}},
        {"signed_channel_number", "=NO(+3)*CH(1E0)", 3,
         {{R::Ch, 0, 1, 0, 0}, {R::No, 0, 502, 0, 1}, {R::Multiply, 3, 1, 0, 0}}},
        {"channel_and_register_mix",
         "=CH(1)*2+NO(3)^2",
         3,
         {{R::Ch, 0, 1, 0, 0},
          {R::No, 0, 502, 0, 1},
          {R::Power, 1, 1, 2, 1},
          {R::Multiply, 1, 0, 2, 0},
          {R::Add, 3, 0, 1, 0}}},
        {"unary_minus_after_power", "=-2^2", 1, {{R::Power, 0, 2, 2, 0}, {R::Subtract, 2, 0, 0, 0}}},
        {"constant_then_register", "=2*CH(1)", 2, {{R::Ch, 0, 1, 0, 0}, {R::Multiply, 2, 2, 0, 0}}},
        {"list_function", "=NAVE(NO2,CH2)", 4, {{R::Nave, 4, 0, 0, 0}}},
        {"history_function", "=NFSUB(NO2)", 6, {{R::Nfsub, 4, 0, 0, 0}}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        CDataCalcuOrder order;
        ASSERT_EQ(CompileFor(order, row.text), 0);
        EXPECT_EQ(order.GetPass(), row.pass);
        ASSERT_EQ(order.GetOperationCount(), static_cast<int>(row.ops.size()));
        for (size_t i = 0; i < row.ops.size(); ++i) {
            SCOPED_TRACE(i);
            const CDataCalcu* op = order.GetOperation(static_cast<int>(i));
            EXPECT_EQ(op->GetRoutine(), row.ops[i].routine);
            EXPECT_EQ(op->GetKind(), row.ops[i].kind);
            EXPECT_EQ(op->GetFirst(), row.ops[i].first);
            EXPECT_EQ(op->GetSecond(), row.ops[i].second);
            EXPECT_EQ(op->GetResultRegister(), row.ops[i].reg);
        }
    }
}

TEST(FormulaCompile, ArgumentBlockHoldsReferencesAndNumbers)
{
    CDataCalcuOrder order;
    ASSERT_EQ(CompileFor(order, "=NEX(CH2,NO3,200000,0.3)"), 0);
    const CCalcArgumentBlock* block = order.GetOperation(0)->GetArgumentBlock();
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(block->references, (std::vector<int16_t>{1, 502}));
    EXPECT_EQ(block->numbers, (std::vector<double>{200000, 0.3}));
    EXPECT_EQ(block->saved, -HUGE_VAL);
}

TEST(FormulaCompile, RecompilingReplacesTheOldFormula)
{
    CDataCalcuOrder order;
    ASSERT_EQ(CompileFor(order, "=CH(1)+CH(2)"), 0);
    order.SetReferenceLimits(16, -1);
    ASSERT_EQ(order.Compile(500, "=2*3"), 0);
    EXPECT_EQ(order.GetOperationCount(), 1);
    EXPECT_EQ(order.GetRegisterCount(), 1);
}

TEST(FormulaCompile, EmptyTextIsNoFormula)
{
    CDataCalcuOrder order;
    EXPECT_EQ(CompileFor(order, ""), 0);
    EXPECT_EQ(order.GetPass(), 0);
    EXPECT_EQ(order.GetOperationCount(), 0);
}

TEST(FormulaCompile, FindOperations)
{
    CDataCalcuOrder order;
    ASSERT_EQ(CompileFor(order, "=NO(2)+CH(3)*SQRT(4)"), 0);
    ASSERT_NE(order.FindChannelOperation(), nullptr);
    EXPECT_EQ(order.FindChannelOperation()->GetFirst(), 3.0);
    EXPECT_EQ(order.FindChannelOperation()->GetChannelIndex(), 2);
    ASSERT_NE(order.FindOperation(CalcRoutine::No), nullptr);
    EXPECT_EQ(order.FindOperation(CalcRoutine::No)->GetChannelIndex(), 501);
    EXPECT_EQ(order.FindOperation(CalcRoutine::Nave), nullptr);
    int16_t code = -1, type = -1;
    order.GetResultType(code, type);
    EXPECT_EQ(code, 0);
    EXPECT_EQ(type, 2);
}

} // namespace
