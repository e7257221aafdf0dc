// The four openers: each builds its window over the context, runs it and hands the tables back.
#include "host_dialogs.h"

#include "acquisition_check_window.h"
#include "group_list_window.h"
#include "host_pick_window.h"
#include "host_reg_window.h"
#include "platform/clock.h"
#include "platform/computer_name.h"
#include "sim/host_access_choice.h"

namespace {

// The context's network and error log, or the process's own when the opener gives none.
platform::HostAccess& AccessOf(const SHostDialogContext& context) {
    return context.m_pAccess != nullptr ? *context.m_pAccess : sim::ProcessHostAccess();
}
CErrorLog& ErrorLogOf(const SHostDialogContext& context) {
    return context.m_pErrorLog != nullptr ? *context.m_pErrorLog : ProcessErrorLog();
}

}  // namespace

void RunHostRegistrationDialog(HWND hOwner, CHostTable& hosts, const SHostDialogContext& context) {
    // The window holds two tables of 500 entries: on the heap.
    auto pWindow = std::make_unique<CHostRegWindow>(AccessOf(context), ErrorLogOf(context));
    pWindow->Model().SetTable(hosts);
    if (pWindow->DoModal(hOwner) == -1) return;  // no window: the table stays as it was
    // Cancel has restored the working table already, so it is read back either way.
    hosts = pWindow->Model().Table();
}

bool RunGroupListDialog(HWND hOwner, CHostTable& hosts, CGroupTable& groups,
                        const CScheduleTable& schedules, const SHostDialogContext& context) {
    auto pWindow = std::make_unique<CGroupListWindow>(hosts, schedules, context);
    pWindow->Model().SetGroups(groups);
    if (pWindow->DoModal(hOwner) != IDOK) return false;
    groups = pWindow->Model().Groups();
    return true;
}

void RunAcquisitionCheckDialog(HWND hOwner, const std::string& strHost,
                               const SHostDialogContext& context) {
    CAcquisitionCheck check(AccessOf(context), ErrorLogOf(context), platform::SystemClock(),
                            platform::LocalComputerName());
    CAcquisitionCheckWindow window(check, strHost);
    window.DoModal(hOwner);
}

void RunHostPickerDialog(HWND hOwner, const std::vector<std::string>& members,
                         const SHostDialogContext& context) {
    CHostPickWindow window(context);
    window.Model().Clear();
    for (const std::string& strMember : members) {
        if (window.Model().Hosts().size() >= static_cast<std::size_t>(kGroupMembers)) break;
        window.Model().Add(strMember);
    }
    window.DoModal(hOwner);
}
