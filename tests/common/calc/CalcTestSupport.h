#pragma once

// A data set for the calculation tests: a channel list with measured
// channels in cache tanks, the settings list with the five column tanks,
// the scripted services, and a test folder as the cache folder.

#include "common/cache/CacheClasses.h"
#include "common/calc/CalcClasses.h"
#include "common/calc/CalcColumnTanks.h"
#include "common/calc/CalcuDataTank.h"
#include "common/calc/CashCalcuDataTank.h"
#include "common/calc/DataSPSetTank.h"
#include "common/calc/KivSPTankData.h"
#include "common/formula/DataCalcuOrder.h"
#include "framework/core/testing/ServiceScope.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace calctest {

class CalcTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        kivtest::RegisterAllClasses();
        RegisterCalcClasses();
        SetCacheTankFolder(dir.Path().string());
    }
    void TearDown() override
    {
        EXPECT_EQ(services.prompt.Problems(), "");
        SetCacheTankFolder("");
    }

    kivtest::TempDir dir;
    fw::test::ServiceScope services;
};

// Rows of the settings list, in the order the documents build it.
enum Column { kName = 0, kFormula, kUnit, kFormat, kOnOff };

struct DataSet {
    CKivSPTankData list;
    CDataSPSetTank settings;
    CNameTank* names = new CNameTank;
    CFuncTank* formulas = new CFuncTank;
    CUnitTank* units = new CUnitTank;
    CFormatTank* formats = new CFormatTank;
    COnOffTank* onOff = new COnOffTank;
    int16_t chLimit;

    DataSet(int measured, int steps) : chLimit(static_cast<int16_t>(measured))
    {
        list.SetDataCount(steps, true);
        list.SetChannelCount(measured);
        list.UpdateAllChannels();
        settings.AddTank(names, false);
        settings.AddTank(formulas, false);
        settings.AddTank(units, false);
        settings.AddTank(formats, false);
        settings.AddTank(onOff, false);
        names->SetOwner(&list);
        formulas->SetOwner(&list);
        units->SetOwner(&list);
        formats->SetOwner(&list);
        formulas->SetChannelInfo(measured, -1);
        list.SetSettingsList(&settings);
    }

    // Measured channel k (1-based) gets value f(i) at step i.
    void Measure(int k, const std::function<double(int)>& f)
    {
        CDataTankObject* tank = list.GetAt(k - 1);
        for (int i = 0; i < list.GetDataCount(); ++i)
            tank->SetValue(i, f(i));
    }
    void Formula(int no, const char* text) { formulas->SetValueText(no - 1, text); }
    void Compile() { list.CompileRange(formulas, 0, 999, chLimit, -1); }

    // Stored value of calculated channel NO(no) at step i.
    double No(int no, int step) { return list.GetStoredValue(static_cast<int16_t>(499 + no), step); }
    int16_t Pass(int no) { return list.GetOrder(static_cast<int16_t>(499 + no))->GetPass(); }
};

} // namespace calctest
