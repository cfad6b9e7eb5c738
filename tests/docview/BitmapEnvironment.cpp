// Off-screen drawing in these tests uses the window system's image bitmaps,
// as the program installs them at start-up.

#include "docview/graphpage/QtBitmap.h"
#include "framework/core/ServiceSlot.h"

#include <gtest/gtest.h>

namespace {

class BitmapEnvironment : public ::testing::Environment {
public:
    void SetUp() override { fw::Install<IBitmapMaker>(&m_maker); }
    void TearDown() override { fw::Install<IBitmapMaker>(nullptr); }

private:
    CQtBitmapMaker m_maker;
};

const auto* const g_environment = ::testing::AddGlobalTestEnvironment(new BitmapEnvironment);

} // namespace
