#include "psychro/moist_air.h"
#include <gtest/gtest.h>
TEST(Smoke, Builds) { EXPECT_NEAR(moist_air::SaturationPressure(20.0f), 2338.8, 0.5); }
