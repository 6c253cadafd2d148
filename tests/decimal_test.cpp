// Figures written as printf writes them, printf itself the oracle: the statistics must read the same on the
// web, where the game does without printf, as they did with it.
#include "game/decimal.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <random>

namespace tessel {
namespace {

std::string Printf(double value, int places) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", places, value);
    return text;
}

TEST(Decimal, WritesWhatPrintfWrites) {
    // Ties exact in binary go to the even digit; those just over or under a tie (0.45, 0.15) go their way.
    for (double value : {0.0,
                         0.25,
                         0.75,
                         22.25,
                         22.75,
                         0.45,
                         0.15,
                         2.675,
                         1.005,
                         9.995,
                         99.95,
                         0.5,
                         1.5,
                         2.5,
                         1e-30,
                         123456.785,
                         4503599627370495.5,
                         9007199254740993.0,
                         1e19,
                         -0.004,
                         -3.25})
        for (int places : {0, 1, 2}) EXPECT_EQ(Decimal(value, places), Printf(value, places)) << value;
    // Means of moves (a sum over a count) and moves a second, as the statistics make them.
    std::mt19937_64 random(7);
    for (int i = 0; i < 20000; ++i) {
        const double value =
            static_cast<double>(random() % 200000) / static_cast<double>(1 + random() % 1000);
        for (int places : {0, 1, 2}) ASSERT_EQ(Decimal(value, places), Printf(value, places)) << value;
    }
    EXPECT_EQ(Padded(7, 2), "07");
    EXPECT_EQ(Padded(123, 2), "123");
}

}  // namespace
}  // namespace tessel
