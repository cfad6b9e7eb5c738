#pragma once

// Dialog tests run without a modal loop: scripted prompts and scripted
// dialogs, both checked for surprises when the test ends.

#include "framework/core/testing/ServiceScope.h"
#include "framework/ui/Controls.h"
#include "framework/ui/Dialog.h"
#include "framework/ui/testing/ScriptedDialogs.h"

#include <QWidget>

#include <gtest/gtest.h>

namespace appuitest {

class DialogFixture : public ::testing::Test {
protected:
    void TearDown() override
    {
        EXPECT_EQ(services.prompt.Problems(), "");
        EXPECT_EQ(dialogs.Problems(), "");
    }

    fw::test::ServiceScope services;
    fw::test::ScriptedDialogs dialogs;
};

inline void Click(fw::CDialog& d, int id)
{
    auto* button = d.GetDlgItemAs<fw::CButton>(id);
    ASSERT_NE(button, nullptr) << "no button " << id;
    button->Click();
}

inline bool Enabled(fw::CDialog& d, int id)
{
    fw::CWnd* w = d.GetDlgItem(id);
    return w && w->Widget() && w->Widget()->isEnabled();
}

// Shown by the dialog (the dialog itself is never shown in tests).
inline bool Shown(fw::CDialog& d, int id)
{
    fw::CWnd* w = d.GetDlgItem(id);
    return w && w->Widget() && !w->Widget()->isHidden();
}

} // namespace appuitest
