// Formula text of the calculated channels.

#include "fuzz/FuzzTarget.h"

#include "common/formula/DataCalcuOrder.h"

#include <string>

KIV_FUZZ_TARGET(formula_fuzz)
{
    const std::string text(kivfuzz::AsText(data, size));
    kivfuzz::RefusedAsDamage([&] {
        CDataCalcuOrder order;
        order.SetReferenceLimits(16, -1);
        if (order.Compile(500, text.c_str()) == 0)
            order.Evaluate(order.GetPass(), 1);
    });
    return 0;
}
