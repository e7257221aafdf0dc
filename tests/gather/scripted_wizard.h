// A scripted stand-in for the schedule wizard: each opening runs the next scripted step.
#pragma once
#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <vector>

#include "schedule_wizard.h"

namespace gather_test {

class CScriptedWizard final : public IScheduleWizard {
public:
    // Edits the data as the user would and returns true for OK, false for Cancel.
    using Step = std::function<bool(CScheduleWizardData&)>;

    std::deque<Step> m_queSteps;
    std::vector<EWizardMode> m_arrModes;  // the mode of every opening
    std::vector<CSchedule> m_arrShown;    // the record each opening started with
    std::function<void()> m_fnWhileOpen;  // runs during every opening (a timer tick, say)

    bool RunWizard(CScheduleWizardData& data) override {
        m_arrModes.push_back(data.m_eMode);
        m_arrShown.push_back(data.m_schedule);
        if (m_fnWhileOpen) m_fnWhileOpen();
        if (m_queSteps.empty()) {
            ADD_FAILURE() << "the wizard was opened once more than scripted";
            return false;
        }
        const Step step = std::move(m_queSteps.front());
        m_queSteps.pop_front();
        return step(data);
    }

    // A step that puts the record in and presses OK.
    static Step Enter(const CSchedule& schedule) {
        return [schedule](CScheduleWizardData& data) {
            data.m_schedule = schedule;
            return true;
        };
    }
    static Step Cancel() {
        return [](CScheduleWizardData&) { return false; };
    }
};

}  // namespace gather_test
