#include "frequency/document/FrequencyDocClasses.h"
#include "frequency/model/FrequencyModelClasses.h"
#include "grid/model/GridClasses.h"

#include <gtest/gtest.h>

namespace {

// The shared test main registers the libraries below this one; the
// analyses, layouts and documents are created by class name when archives
// load them.
class RegisterFrequencyClasses : public ::testing::Environment {
public:
    void SetUp() override
    {
        RegisterFrequencyModelClasses();
        RegisterGridClasses();
        RegisterFrequencyDocClasses();
    }
};

const auto* const g_registered = ::testing::AddGlobalTestEnvironment(new RegisterFrequencyClasses);

} // namespace
