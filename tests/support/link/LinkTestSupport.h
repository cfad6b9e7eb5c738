#pragma once

#include "common/base/ZelException.h"
#include "framework/core/StringTable.h"

#include <gtest/gtest.h>

#include <string>

namespace kivtest {

// The CZelException `f` raises; a failure when it raises none.
template <class F> CZelException RaisedBy(F&& f)
{
    try {
        f();
    } catch (CZelException& e) {
        return e;
    }
    ADD_FAILURE() << "no CZelException was raised";
    return CZelException(0, "");
}

inline std::string MessageOf(const CZelException& e)
{
    fw::CString text;
    e.GetErrorMessage(text);
    return text.str();
}

inline std::string Text(unsigned id)
{
    return fw::LoadStringText(id).str();
}

} // namespace kivtest
