#include "frequency/model/FrequencyModelClasses.h"

#include <gtest/gtest.h>

namespace {

// The shared test main registers the libraries below this one; the
// analyses are created by class name when archives load them.
class RegisterFrequencyClasses : public ::testing::Environment {
public:
    void SetUp() override { RegisterFrequencyModelClasses(); }
};

const auto* const g_registered = ::testing::AddGlobalTestEnvironment(new RegisterFrequencyClasses);

} // namespace
