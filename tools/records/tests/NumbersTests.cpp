#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "records/Numbers.h"

namespace tessaly {
namespace {

TEST(Numbers, RoundHalfEvenTiesGoToEven) {
    EXPECT_EQ(RoundHalfEven(0.5), 0);
    EXPECT_EQ(RoundHalfEven(1.5), 2);
    EXPECT_EQ(RoundHalfEven(2.5), 2);
    EXPECT_EQ(RoundHalfEven(-2.5), -2);
    EXPECT_EQ(RoundHalfEven(-3.5), -4);
    EXPECT_EQ(RoundHalfEven(2.4999999999999996), 2);
    EXPECT_EQ(RoundHalfEven(-22.5), -22);
    EXPECT_EQ(RoundHalfEven(4503599627370497.0), 4503599627370497.0);  // beyond 2^52: already whole
    EXPECT_TRUE(std::isnan(RoundHalfEven(std::nan(""))));
}

TEST(Numbers, CheckedConversionsRefuseWhatDoesNotFit) {
    EXPECT_EQ(TryCLng(2147483647.4), 2147483647);
    EXPECT_EQ(TryCLng(2147483647.5), std::nullopt);      // rounds to 2^31
    EXPECT_EQ(TryCLng(-2147483648.5), -2147483647 - 1);  // the tie goes to the even -2^31
    EXPECT_EQ(TryCLng(-2147483649.0), std::nullopt);
    EXPECT_EQ(TryCLng(std::nan("")), std::nullopt);
    EXPECT_EQ(TryCLng(std::numeric_limits<double>::infinity()), std::nullopt);

    EXPECT_EQ(TryCInt(32766.5), 32766);
    EXPECT_EQ(TryCInt(32767.5), std::nullopt);
    EXPECT_EQ(TryCInt(-32768.4), -32768);

    EXPECT_EQ(TryCByte(254.5), 254);
    EXPECT_EQ(TryCByte(255.5), std::nullopt);
    EXPECT_EQ(TryCByte(-0.5), 0);
    EXPECT_EQ(TryCByte(-0.6), std::nullopt);
}

TEST(Numbers, PlainConversionsRoundHalfEvenAndSaturate) {
    EXPECT_EQ(CLng(104.5), 104);
    EXPECT_EQ(CLng(-22.5), -22);
    EXPECT_EQ(CLng(3e9), std::numeric_limits<int32_t>::max());
    EXPECT_EQ(CLng(-3e9), std::numeric_limits<int32_t>::min());
    EXPECT_EQ(CLng(std::nan("")), 0);
    EXPECT_EQ(CInt(40000.0), 32767);
    EXPECT_EQ(CInt(-0.5), 0);
    EXPECT_EQ(CByte(300.0), 255);
    EXPECT_EQ(CByte(-3.0), 0);
    EXPECT_EQ(CByte(2.5), 2);
}

TEST(Numbers, IntFloorsAndFixTruncates) {
    EXPECT_EQ(Int(2.7), 2);
    EXPECT_EQ(Int(-2.5), -3);
    EXPECT_EQ(Int(-2.0), -2);
    EXPECT_EQ(Fix(-2.5), -2);
    EXPECT_EQ(Fix(2.9), 2);
}

TEST(Numbers, ModKeepsTheDividendSign) {
    EXPECT_EQ(Mod(-7, 3), -1);
    EXPECT_EQ(Mod(7, -3), 1);
    EXPECT_EQ(Mod(-1, 65536), -1);  // packed mark value: low half keeps the sign
    EXPECT_EQ(Mod(65537, 65536), 1);
    EXPECT_EQ(Mod(std::numeric_limits<int32_t>::min(), -1), 0);
    EXPECT_EQ(Mod(5, 0), std::nullopt);

    EXPECT_EQ(Mod(5.5, 2.5), 0);             // 6 Mod 2
    EXPECT_EQ(Mod(6.5, 4.0), 2);             // 6 Mod 4
    EXPECT_EQ(Mod(-7.5, 3.0), -2);           // -8 Mod 3
    EXPECT_EQ(Mod(1.0, 0.4), std::nullopt);  // divisor rounds to 0
    EXPECT_EQ(Mod(3e9, 7.0), std::nullopt);
}

TEST(Numbers, RoundToDecimalsForZoomRatios) {
    EXPECT_EQ(Round(120.0 / 96, 2), 1.25);
    EXPECT_EQ(Round(144.0 / 96, 2), 1.5);
    EXPECT_EQ(Round(108.0 / 96, 2), 1.12);  // 1.125 is an exact tie
    EXPECT_EQ(Round(84.0 / 96, 2), 0.88);   // 0.875
    EXPECT_EQ(Round(110.0 / 96, 2), 1.15);
    EXPECT_EQ(Round(-1.125, 2), -1.12);
    EXPECT_EQ(Round(2.675, 2), 2.67);  // 2.675 is stored just below the tie
    EXPECT_EQ(Round(2.5), 2);
    EXPECT_EQ(Round(0.0667, 3), 0.067);
}

TEST(Numbers, TruthValues) {
    EXPECT_EQ(ToFlag(true), -1);
    EXPECT_EQ(ToFlag(false), 0);
    EXPECT_TRUE(IsTrue(-1));
    EXPECT_TRUE(IsTrue(1));
    EXPECT_FALSE(IsTrue(0));
}

TEST(Numbers, ValTakesTheNumberAtTheStart) {
    EXPECT_EQ(Val("16200"), 16200);
    EXPECT_EQ(Val("-.5"), -0.5);
    EXPECT_EQ(Val("-"), 0);
    EXPECT_EQ(Val(""), 0);
    EXPECT_EQ(Val("."), 0);
    EXPECT_EQ(Val("1-2"), 1);
    EXPECT_EQ(Val("1.2.3"), 1.2);
    EXPECT_EQ(Val("--5"), 0);
    EXPECT_EQ(Val(" 1 2\t3 "), 123);
    EXPECT_EQ(Val("+7x"), 7);
    EXPECT_EQ(Val("12abc"), 12);
    EXPECT_EQ(Val("1e3"), 1000);
    EXPECT_EQ(Val("1D2"), 100);
    EXPECT_EQ(Val("2e"), 2);
    EXPECT_EQ(Val("2e+"), 2);
    EXPECT_EQ(Val("0.0667"), 0.0667);
    EXPECT_EQ(Val("1e400"), std::numeric_limits<double>::infinity());
    EXPECT_EQ(Val("-" + std::string(400, '9')), -std::numeric_limits<double>::infinity());
    EXPECT_EQ(Val("1e-400"), 0);
    EXPECT_EQ(Val("0." + std::string(400, '0') + "1"), 0);
}

}  // namespace
}  // namespace tessaly
