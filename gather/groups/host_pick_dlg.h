// CHostPickDlg: the host picker ("ホストの選択", dialog 157) that chooses one member of a group for
// the data acquisition check.
#pragma once
#include <array>
#include <string>
#include <vector>

#include "host_tables.h"
#include "ui/host_dialogs_resource.h"

inline constexpr std::array kHostPickControls = {IDC_PICK_HOSTS, IDC_PICK_SELECT, IDCANCEL};

// The most names the picker holds (an opener adds a group's members, at most 50).
inline constexpr std::size_t kHostPickCapacity = 100;

class IHostPickView {
public:
    virtual ~IHostPickView() = default;
    virtual void ShowHosts(const std::vector<std::string>& vecHosts) = 0;
    // Runs the data acquisition check of the host modally; the picker stays open afterwards.
    virtual void RunCheck(const std::string& strHost) = 0;
    virtual void Close() = 0;
};

class CHostPickDlg {
public:
    explicit CHostPickDlg(IHostPickView& view) : m_view(view) {}

    void Clear() { m_vecHosts.clear(); }
    // Appends a name; false (and nothing added) when the picker is full or the name is empty.
    bool Add(const std::string& strHost);
    const std::vector<std::string>& Hosts() const { return m_vecHosts; }

    void OnInit() { m_view.ShowHosts(m_vecHosts); }
    // "選択" with the selected name (empty when nothing is selected: nothing happens).
    void OnSelect(const std::string& strSelected);
    void OnCancel() { m_view.Close(); }

private:
    IHostPickView& m_view;
    std::vector<std::string> m_vecHosts;
};

// A group's members in member order, up to the first empty member slot.
std::vector<std::string> GroupMemberList(const CHostGroup& group);
