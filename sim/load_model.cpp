// Constant, ramp, square wave and seeded random walk levels of a simulated host.
#include "load_model.h"

#include <algorithm>
#include <cmath>

namespace sim {

CLoadModel CLoadModel::Constant(double dValue) {
    CLoadModel model;
    model.m_eShape = ELoadShape::kConstant;
    model.m_dA = dValue;
    return model;
}

CLoadModel CLoadModel::Ramp(double dFrom, double dTo, double dPeriodSeconds) {
    CLoadModel model;
    model.m_eShape = ELoadShape::kRamp;
    model.m_dA = dFrom;
    model.m_dB = dTo;
    model.m_dPeriod = dPeriodSeconds > 0 ? dPeriodSeconds : 1;
    return model;
}

CLoadModel CLoadModel::Square(double dLow, double dHigh, double dPeriodSeconds) {
    CLoadModel model;
    model.m_eShape = ELoadShape::kSquare;
    model.m_dA = dLow;
    model.m_dB = dHigh;
    model.m_dPeriod = dPeriodSeconds > 0 ? dPeriodSeconds : 1;
    return model;
}

CLoadModel CLoadModel::Walk(double dStart, double dStep, double dMin, double dMax,
                            std::uint64_t nSeed) {
    CLoadModel model;
    model.m_eShape = ELoadShape::kWalk;
    model.m_dMin = std::min(dMin, dMax);
    model.m_dMax = std::max(dMin, dMax);
    model.m_dA = std::clamp(dStart, model.m_dMin, model.m_dMax);
    model.m_dStep = std::fabs(dStep);
    model.m_nSeed = nSeed;
    model.RestartWalk();
    return model;
}

void CLoadModel::RestartWalk() {
    m_nWalkSecond = 0;
    m_dWalkValue = m_dA;
    m_nWalkState = m_nSeed;
}

// splitmix64: a small generator whose sequence depends only on the seed.
double CLoadModel::NextWalkStep() {
    m_nWalkState += 0x9E3779B97F4A7C15ull;
    std::uint64_t z = m_nWalkState;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    z ^= z >> 31;
    const double dUnit = static_cast<double>(z >> 11) / 9007199254740992.0;  // [0, 1)
    return (2.0 * dUnit - 1.0) * m_dStep;
}

double CLoadModel::LevelAt(std::int64_t nMilliseconds) {
    const std::int64_t nMs = std::max<std::int64_t>(nMilliseconds, 0);
    const double dSeconds = static_cast<double>(nMs) / 1000.0;
    switch (m_eShape) {
        case ELoadShape::kConstant:
            return m_dA;
        case ELoadShape::kRamp: {
            const double dPhase = std::fmod(dSeconds, m_dPeriod) / m_dPeriod;
            return m_dA + (m_dB - m_dA) * dPhase;
        }
        case ELoadShape::kSquare:
            return std::fmod(dSeconds, m_dPeriod) < m_dPeriod / 2 ? m_dA : m_dB;
        case ELoadShape::kWalk: {
            const std::int64_t nSecond = nMs / 1000;
            if (nSecond < m_nWalkSecond) RestartWalk();
            std::int64_t nSteps = nSecond - m_nWalkSecond;
            if (nSteps > kMaxWalkSteps) nSteps = kMaxWalkSteps;
            for (std::int64_t i = 0; i < nSteps; ++i) {
                m_dWalkValue = std::clamp(m_dWalkValue + NextWalkStep(), m_dMin, m_dMax);
            }
            m_nWalkSecond = nSecond;
            return m_dWalkValue;
        }
    }
    return m_dA;
}

}  // namespace sim
