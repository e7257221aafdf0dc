// The published calculations of the counter types the graphs draw.
#include "series/counter_formula.h"

#include <algorithm>

#include "perf/perf_layout.h"

namespace series {
namespace {

constexpr double kPercent = 100.0;

// X1 - X0 as the host's counters count: 64-bit differences wrap instead of overflowing.
std::int64_t Difference(std::int64_t nNow, std::int64_t nBefore) {
    return static_cast<std::int64_t>(static_cast<std::uint64_t>(nNow) -
                                     static_cast<std::uint64_t>(nBefore));
}

}  // namespace

CCounterFormula FormulaOf(std::uint32_t nCounterType) {
    using namespace perf;
    CCounterFormula formula;
    formula.m_bLarge = (nCounterType & kPerfSizeMask) == kPerfSizeLarge;
    switch (nCounterType) {
        case kPerfCounterRawcount:
        case kPerfCounterLargeRawcount:
        case kPerfCounterRawcountHex:
        case kPerfCounterLargeRawcountHex:
            formula.m_eFormula = EFormula::kInstant;
            break;
        case kPerfCounterCounter:
        case kPerfCounterBulkCount:
            formula.m_eFormula = EFormula::kRatePerSecond;
            formula.m_eTimeBase = ETimeBase::kSystemTick;
            break;
        case kPerf100nsecTimer:
            formula.m_eFormula = EFormula::kTimerPercent;
            formula.m_eTimeBase = ETimeBase::k100ns;
            break;
        case kPerf100nsecTimerInv:
            formula.m_eFormula = EFormula::kTimerInvPercent;
            formula.m_eTimeBase = ETimeBase::k100ns;
            break;
        case kPerfCounterTimer:
            formula.m_eFormula = EFormula::kTimerPercent;
            formula.m_eTimeBase = ETimeBase::kSystemTick;
            break;
        case kPerfCounterTimerInv:
            formula.m_eFormula = EFormula::kTimerInvPercent;
            formula.m_eTimeBase = ETimeBase::kSystemTick;
            break;
        case kPerfObjTimeTimer:
            formula.m_eFormula = EFormula::kTimerPercent;
            formula.m_eTimeBase = ETimeBase::kObject;
            break;
        case kPerfPrecision100nsTimer:
        case kPerfPrecisionSystemTimer:
        case kPerfPrecisionObjectTimer:
            // X and the time stamp that follows count the same clock, so its frequency cancels.
            formula.m_eFormula = EFormula::kPrecisionPercent;
            formula.m_eTimeBase = ETimeBase::kBase;
            formula.m_bNeedsBase = true;
            break;
        case kPerfRawFraction:
            formula.m_eFormula = EFormula::kRawFractionPercent;
            formula.m_bNeedsBase = true;
            break;
        default:
            formula.m_eFormula = EFormula::kUnsupported;
            break;
    }
    return formula;
}

EValueResult ComputeValue(const CCounterFormula& formula, const CRawSample* pPrevious,
                          const CRawSample& current, double& dValue) {
    dValue = 0;
    switch (formula.m_eFormula) {
        case EFormula::kUnsupported:
            return EValueResult::kUnsupported;
        case EFormula::kInstant:
            dValue = static_cast<double>(current.m_nValue);
            return EValueResult::kValue;
        case EFormula::kRawFractionPercent:
            if (current.m_nBase <= 0) return EValueResult::kTimeNotForward;
            dValue = kPercent * static_cast<double>(current.m_nValue) /
                     static_cast<double>(current.m_nBase);
            return EValueResult::kValue;
        default:
            break;
    }
    if (pPrevious == nullptr) return EValueResult::kNeedsPrevious;

    const std::int64_t nDx = Difference(current.m_nValue, pPrevious->m_nValue);
    const std::int64_t nDy = formula.m_eTimeBase == ETimeBase::kBase
                                 ? Difference(current.m_nBase, pPrevious->m_nBase)
                                 : Difference(current.m_nTime, pPrevious->m_nTime);
    if (nDx < 0) return EValueResult::kReset;
    if (nDy <= 0) return EValueResult::kTimeNotForward;
    const double dx = static_cast<double>(nDx);
    const double dy = static_cast<double>(nDy);
    switch (formula.m_eFormula) {
        case EFormula::kRatePerSecond:
            if (current.m_nFreq <= 0) return EValueResult::kTimeNotForward;
            dValue = dx / (dy / static_cast<double>(current.m_nFreq));
            break;
        case EFormula::kTimerPercent:
        case EFormula::kPrecisionPercent:
            dValue = kPercent * dx / dy;
            break;
        case EFormula::kTimerInvPercent:
            dValue = std::max(0.0, kPercent * (1.0 - dx / dy));
            break;
        default:
            return EValueResult::kUnsupported;
    }
    return EValueResult::kValue;
}

}  // namespace series
