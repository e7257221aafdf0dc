// Turning raw counter values into what they measure, by the counter's CounterType.
//
// Each counter type has a published calculation over two consecutive samples (or one, for
// instantaneous counts): X is the counter's value, Y the time base the type names, F that time
// base's ticks per second and B the value of the base counter that follows the counter.
#pragma once
#include <cstdint>

namespace series {

enum class EFormula {
    kInstant,            // X1                      (RAWCOUNT, LARGE_RAWCOUNT and their HEX forms)
    kRatePerSecond,      // (X1-X0) / ((Y1-Y0)/F)   (COUNTER_COUNTER, COUNTER_BULK_COUNT)
    kTimerPercent,       // 100 (X1-X0) / (Y1-Y0)   (100NSEC_TIMER, COUNTER_TIMER, OBJ_TIME_TIMER)
    kTimerInvPercent,    // 100 (1 - (X1-X0)/(Y1-Y0))  (100NSEC_TIMER_INV, COUNTER_TIMER_INV)
    kPrecisionPercent,   // 100 (X1-X0) / (B1-B0)   (the three PRECISION timers)
    kRawFractionPercent, // 100 X1 / B1             (RAW_FRACTION)
    kUnsupported,
};

// Where Y and F come from.
enum class ETimeBase {
    kNone,
    kSystemTick,  // the block's PerfTime and PerfFreq
    k100ns,       // the block's PerfTime100nSec, 10,000,000 per second
    kObject,      // the object's own PerfTime and PerfFreq
    kBase,        // the base counter that follows (precision timers)
};

struct CCounterFormula {
    EFormula m_eFormula = EFormula::kUnsupported;
    ETimeBase m_eTimeBase = ETimeBase::kNone;
    bool m_bLarge = false;     // the value has 8 bytes, otherwise 4 (unsigned)
    bool m_bNeedsBase = false;  // B is the next counter definition's value
    bool NeedsPrevious() const {
        return m_eFormula != EFormula::kInstant && m_eFormula != EFormula::kRawFractionPercent;
    }
};

// The formula of a CounterType; kUnsupported for types the graphs do not draw.
CCounterFormula FormulaOf(std::uint32_t nCounterType);

// The raw inputs of one sample: X, B and the time base (Y, F) the formula names.
struct CRawSample {
    std::int64_t m_nValue = 0;  // X
    std::int64_t m_nBase = 0;   // B
    std::int64_t m_nTime = 0;   // Y
    std::int64_t m_nFreq = 0;   // F
};

enum class EValueResult {
    kValue,
    kNeedsPrevious,  // a difference needs an earlier sample
    kReset,          // the counter went back: restarted, or not the same counter
    kTimeNotForward, // the time base stood still or went back, or has no frequency
    kUnsupported,
};

// The value of the current sample; pPrevious is the sample before it of the same counter and
// instance, or null. Percentages below 0 (an idle timer that ran ahead of its clock) are 0.
EValueResult ComputeValue(const CCounterFormula& formula, const CRawSample* pPrevious,
                          const CRawSample& current, double& dValue);

}  // namespace series
