// The two enumerations of network browsing and the host list's fallback to the local computer.
#include "network_browse.h"

#include <algorithm>

std::vector<std::string> EnumerateDomainNames(platform::HostAccess& access) {
    std::vector<std::string> vecDomains;
    access.EnumerateDomains(vecDomains);  // a failure is not reported: the list ends there
    std::erase_if(vecDomains, [](const std::string& strName) { return strName.empty(); });
    return vecDomains;
}

std::vector<std::string> EnumerateHostNames(platform::HostAccess& access,
                                            const std::string& strDomain) {
    std::vector<std::string> vecRemote;
    access.EnumerateHosts(strDomain, vecRemote);  // as for the domains
    std::vector<std::string> vecHosts;
    vecHosts.reserve(vecRemote.size());
    for (const std::string& strRemote : vecRemote) {
        std::string strName = WithoutBackslashes(strRemote);
        if (!strName.empty()) vecHosts.push_back(std::move(strName));
    }
    return vecHosts;
}

std::string WithoutBackslashes(std::string_view strName) {
    // UTF-8: the byte 0x5C is never part of a multibyte character.
    std::string strResult(strName);
    std::erase(strResult, '\\');
    return strResult;
}

std::vector<std::string> ListedHostNames(std::vector<std::string> vecHosts,
                                         const std::string& strLocalName) {
    if (vecHosts.empty() && !strLocalName.empty()) vecHosts.push_back(strLocalName);
    return vecHosts;
}
