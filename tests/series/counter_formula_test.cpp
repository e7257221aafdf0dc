// The counter type formulas: each documented calculation, and the cases that must be gaps.
#include "series/counter_formula.h"

#include <gtest/gtest.h>

#include <cmath>

#include "perf/perf_layout.h"

namespace {

using namespace series;

constexpr std::int64_t kSecond = 10'000'000;  // 100 ns units
constexpr std::int64_t kFreq = 3'579'545;     // ticks per second of a high-resolution counter

struct FormulaCase {
    const char* szWhat;
    std::uint32_t nType;
    CRawSample before;
    CRawSample now;
    EValueResult eResult;
    double dValue;
};

TEST(CounterFormula, EachTypeFollowsItsCalculation) {
    using namespace perf;
    const FormulaCase cases[] = {
        // X1 alone.
        {"raw count", kPerfCounterRawcount, {7, 0, 0, 0}, {512, 0, 0, 0}, EValueResult::kValue,
         512},
        {"large raw count", kPerfCounterLargeRawcount, {}, {5'000'000'000, 0, 0, 0},
         EValueResult::kValue, 5'000'000'000.0},
        {"hex raw count", kPerfCounterRawcountHex, {}, {9, 0, 0, 0}, EValueResult::kValue, 9},
        // (X1-X0) / ((Y1-Y0)/F)
        {"bytes per second over 2 s", kPerfCounterBulkCount, {1000, 0, 0, kFreq},
         {201'000, 0, 2 * kFreq, kFreq}, EValueResult::kValue, 100'000},
        {"events per second over half a second", kPerfCounterCounter, {10, 0, kFreq, kFreq},
         {60, 0, kFreq + kFreq / 2, kFreq}, EValueResult::kValue,
         50.0 / (static_cast<double>(kFreq / 2) / kFreq)},
        // 100 (X1-X0) / (Y1-Y0)
        {"busy timer, a quarter", kPerf100nsecTimer, {0, 0, 0, kSecond},
         {kSecond / 4, 0, kSecond, kSecond}, EValueResult::kValue, 25},
        {"system tick timer", kPerfCounterTimer, {0, 0, 0, kFreq}, {kFreq / 2, 0, kFreq, kFreq},
         EValueResult::kValue, 100.0 * (kFreq / 2) / kFreq},
        {"object time timer", kPerfObjTimeTimer, {0, 0, 100, 1000}, {30, 0, 200, 1000},
         EValueResult::kValue, 30},
        // 100 (1 - (X1-X0)/(Y1-Y0))
        {"idle timer, 30 percent idle", kPerf100nsecTimerInv, {kSecond, 0, kSecond, kSecond},
         {kSecond + 3 * kSecond / 10, 0, 2 * kSecond, kSecond}, EValueResult::kValue, 70},
        {"idle timer ahead of its clock is 0, not negative", kPerf100nsecTimerInv,
         {0, 0, 0, kSecond}, {kSecond + 50, 0, kSecond, kSecond}, EValueResult::kValue, 0},
        {"system tick idle timer", kPerfCounterTimerInv, {0, 0, 0, kFreq}, {0, 0, kFreq, kFreq},
         EValueResult::kValue, 100},
        // 100 (X1-X0) / (B1-B0)
        {"precision timer against its time stamp", kPerfPrecision100nsTimer,
         {0, 5 * kSecond, 0, 0}, {kSecond / 2, 6 * kSecond, 0, 0}, EValueResult::kValue, 50},
        {"precision timer above 100 (several disks)", kPerfPrecision100nsTimer, {0, 0, 0, 0},
         {5 * kSecond / 2, kSecond, 0, 0}, EValueResult::kValue, 250},
        // 100 X1 / B1
        {"raw fraction", kPerfRawFraction, {}, {25, 200, 0, 0}, EValueResult::kValue, 12.5},
        {"raw fraction of nothing", kPerfRawFraction, {}, {25, 0, 0, 0},
         EValueResult::kTimeNotForward, 0},
        // Gaps.
        {"counter went back", kPerfCounterBulkCount, {500, 0, 0, kFreq}, {400, 0, kFreq, kFreq},
         EValueResult::kReset, 0},
        {"time stood still", kPerf100nsecTimer, {0, 0, kSecond, kSecond}, {10, 0, kSecond, kSecond},
         EValueResult::kTimeNotForward, 0},
        {"time went back", kPerf100nsecTimerInv, {0, 0, kSecond, kSecond},
         {10, 0, kSecond / 2, kSecond}, EValueResult::kTimeNotForward, 0},
        {"precision base went back", kPerfPrecision100nsTimer, {0, 100, 0, 0}, {10, 90, 0, 0},
         EValueResult::kTimeNotForward, 0},
        {"no frequency", kPerfCounterCounter, {0, 0, 0, 0}, {10, 0, 10, 0},
         EValueResult::kTimeNotForward, 0},
        {"average timer has no formula here", kPerfAverageTimer, {0, 0, 0, 0}, {1, 1, 1, 1},
         EValueResult::kUnsupported, 0},
    };
    for (const FormulaCase& c : cases) {
        const CCounterFormula formula = FormulaOf(c.nType);
        double dValue = -1;
        EXPECT_EQ(ComputeValue(formula, &c.before, c.now, dValue), c.eResult) << c.szWhat;
        EXPECT_NEAR(dValue, c.dValue, 1e-9 * std::max(1.0, std::fabs(c.dValue))) << c.szWhat;
    }
}

TEST(CounterFormula, DifferencesNeedAnEarlierSampleInstantValuesDoNot) {
    using namespace perf;
    double dValue = -1;
    for (const std::uint32_t nType :
         {kPerfCounterCounter, kPerfCounterBulkCount, kPerf100nsecTimer, kPerf100nsecTimerInv,
          kPerfPrecision100nsTimer, kPerfCounterTimer, kPerfObjTimeTimer}) {
        EXPECT_EQ(ComputeValue(FormulaOf(nType), nullptr, {5, 5, 5, 5}, dValue),
                  EValueResult::kNeedsPrevious)
            << std::hex << nType;
        EXPECT_TRUE(FormulaOf(nType).NeedsPrevious());
    }
    EXPECT_EQ(ComputeValue(FormulaOf(kPerfCounterRawcount), nullptr, {5, 0, 0, 0}, dValue),
              EValueResult::kValue);
    EXPECT_EQ(dValue, 5);
}

TEST(CounterFormula, SizeTimeBaseAndBaseComeFromTheType) {
    using namespace perf;
    struct Expect {
        std::uint32_t nType;
        ETimeBase eTime;
        bool bLarge;
        bool bBase;
    };
    const Expect cases[] = {
        {kPerfCounterRawcount, ETimeBase::kNone, false, false},
        {kPerfCounterLargeRawcount, ETimeBase::kNone, true, false},
        {kPerfCounterCounter, ETimeBase::kSystemTick, false, false},
        {kPerfCounterBulkCount, ETimeBase::kSystemTick, true, false},
        {kPerf100nsecTimer, ETimeBase::k100ns, true, false},
        {kPerf100nsecTimerInv, ETimeBase::k100ns, true, false},
        {kPerfObjTimeTimer, ETimeBase::kObject, true, false},
        {kPerfPrecision100nsTimer, ETimeBase::kBase, true, true},
        {kPerfPrecisionSystemTimer, ETimeBase::kBase, true, true},
        {kPerfRawFraction, ETimeBase::kNone, false, true},
    };
    for (const Expect& e : cases) {
        const CCounterFormula formula = FormulaOf(e.nType);
        EXPECT_EQ(formula.m_eTimeBase, e.eTime) << std::hex << e.nType;
        EXPECT_EQ(formula.m_bLarge, e.bLarge) << std::hex << e.nType;
        EXPECT_EQ(formula.m_bNeedsBase, e.bBase) << std::hex << e.nType;
    }
}

}  // namespace
