// Browsing the network for hosts to register: the domains and workgroups, and the computers of
// one of them, as the host registration dialog lists them.
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "platform/host_access.h"

// The domain and workgroup names in the order the network provider gives them. A provider that
// fails (at once or half-way) ends the list where it failed, without a message: the names found
// before it are kept.
std::vector<std::string> EnumerateDomainNames(platform::HostAccess& access);

// The computer names of one domain in provider order, each with every backslash removed
// ("\\PC01" gives "PC01"). Names that are empty once stripped are left out. Failures end the
// list as for the domains.
std::vector<std::string> EnumerateHostNames(platform::HostAccess& access,
                                            const std::string& strDomain);

// A name with every backslash removed. Works on decoded text, so a character whose code page
// 932 form holds the byte 0x5C is never touched.
std::string WithoutBackslashes(std::string_view strName);

// What the host list shows: the hosts of the domain, or the local computer's name alone when
// the domain listed none (and the local name is known).
std::vector<std::string> ListedHostNames(std::vector<std::string> vecHosts,
                                         const std::string& strLocalName);
