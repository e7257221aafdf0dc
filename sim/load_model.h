// How one figure of a simulated host (processor busy, free memory, disk busy) moves over time.
#pragma once
#include <cstdint>

namespace sim {

enum class ELoadShape {
    kConstant,  // always m_dA
    kRamp,      // from m_dA to m_dB over m_dPeriod seconds, then again from m_dA (a saw tooth)
    kSquare,    // m_dA for the first half of every m_dPeriod seconds, m_dB for the second half
    kWalk,  // starts at m_dA, one step of at most m_dStep per whole second, kept in m_dMin..m_dMax
};

// A level as a function of the time since the host's first performance data request. The walk
// is a pseudo-random sequence fixed by its seed, the same on every platform and in every run.
class CLoadModel {
public:
    CLoadModel() = default;
    static CLoadModel Constant(double dValue);
    static CLoadModel Ramp(double dFrom, double dTo, double dPeriodSeconds);
    static CLoadModel Square(double dLow, double dHigh, double dPeriodSeconds);
    static CLoadModel Walk(double dStart, double dStep, double dMin, double dMax,
                           std::uint64_t nSeed);

    ELoadShape Shape() const { return m_eShape; }

    // The level nMilliseconds after the start (negative times count as 0). The walk remembers
    // where it is: asking for an earlier second starts it again from its seed, and a jump of
    // more than kMaxWalkSteps seconds takes only the last kMaxWalkSteps steps.
    double LevelAt(std::int64_t nMilliseconds);

    static constexpr std::int64_t kMaxWalkSteps = 1'000'000;

private:
    void RestartWalk();
    double NextWalkStep();

    ELoadShape m_eShape = ELoadShape::kConstant;
    double m_dA = 0;
    double m_dB = 0;
    double m_dPeriod = 1;
    double m_dStep = 0;
    double m_dMin = 0;
    double m_dMax = 0;
    std::uint64_t m_nSeed = 0;

    // The walk's position.
    std::int64_t m_nWalkSecond = 0;
    double m_dWalkValue = 0;
    std::uint64_t m_nWalkState = 0;
};

}  // namespace sim
