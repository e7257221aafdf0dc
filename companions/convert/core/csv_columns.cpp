// The CSV columns of the samples: fixed counters, and instance columns added as instances appear.
#include "csv_columns.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "platform/utf8.h"
#include "series/counter_choice.h"

namespace csv {
namespace {

constexpr double kGap = std::numeric_limits<double>::quiet_NaN();

// The entries of the choice list followed per instance, and how their columns are headed.
struct CInstanceCounter {
    int m_nChoice;
    std::string_view m_strObjectText;
    std::string_view m_strCounterText;
};
constexpr std::array<CInstanceCounter, 3> kInstanceCounters = {{
    {0, "CPU", "CPU Time"},
    {5, "Physical Disk", "Disk Time"},
    {6, "Logical Disk", "Disk Time"},
}};

int DecimalsOf(series::EUnit eUnit) {
    return eUnit == series::EUnit::kMegabytes || eUnit == series::EUnit::kKilobytes ? 0 : 2;
}

// The choice's text with its unit when the text does not name one: "CPU-CPU Time [%]".
std::string FixedHeading(const series::CCounterChoice& choice) {
    std::string strHeading(choice.m_strText);
    if (strHeading.empty() || strHeading.back() != ']') {
        strHeading += " [" + std::string(series::UnitText(choice.m_eUnit)) + "]";
    }
    return strHeading;
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

}  // namespace

std::string InstanceNameText(std::string_view strUtf16le) {
    std::string strText;
    const auto unit = [&](std::size_t i) {
        return static_cast<char16_t>(static_cast<unsigned char>(strUtf16le[i]) |
                                     (static_cast<unsigned char>(strUtf16le[i + 1]) << 8));
    };
    for (std::size_t i = 0; i + 1 < strUtf16le.size(); i += 2) {
        const char16_t c = unit(i);
        if (c >= 0xD800 && c <= 0xDBFF && i + 3 < strUtf16le.size()) {
            const char16_t low = unit(i + 2);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                platform::utf8::Append(strText,
                                       0x10000 + ((char32_t(c) - 0xD800) << 10) + (low - 0xDC00));
                i += 2;
                continue;
            }
        }
        platform::utf8::Append(strText, (c >= 0xD800 && c <= 0xDFFF) ? char32_t(0xFFFD) : c);
    }
    return strText;
}

bool NaturalLess(std::string_view a, std::string_view b) {
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < a.size() && j < b.size()) {
        if (IsDigit(a[i]) && IsDigit(b[j])) {
            // Compare the runs by value: without leading zeros, the longer is larger.
            std::size_t iEnd = i;
            std::size_t jEnd = j;
            while (iEnd < a.size() && IsDigit(a[iEnd])) ++iEnd;
            while (jEnd < b.size() && IsDigit(b[jEnd])) ++jEnd;
            std::string_view runA = a.substr(i, iEnd - i);
            std::string_view runB = b.substr(j, jEnd - j);
            const auto strip = [](std::string_view& run) {
                while (run.size() > 1 && run.front() == '0') run.remove_prefix(1);
            };
            strip(runA);
            strip(runB);
            if (runA.size() != runB.size()) return runA.size() < runB.size();
            if (runA != runB) return runA < runB;
            i = iEnd;
            j = jEnd;
            continue;
        }
        if (a[i] != b[j]) return static_cast<unsigned char>(a[i]) < static_cast<unsigned char>(b[j]);
        ++i;
        ++j;
    }
    return a.size() - i < b.size() - j;
}

CCsvSampleColumns::CCsvSampleColumns() {
    for (const series::CCounterChoice& choice : series::CounterChoices()) {
        m_vecFixed.emplace_back(choice);
        m_vecColumns.push_back({FixedHeading(choice), DecimalsOf(choice.m_eUnit)});
    }
    for (const CInstanceCounter& counter : kInstanceCounters) {
        m_vecGroups.push_back({series::CCounterTracker(*series::CounterChoice(counter.m_nChoice),
                                                       series::EInstanceRule::kEach),
                               counter.m_strObjectText, counter.m_strCounterText, {}});
    }
}

void CCsvSampleColumns::BeginFile(std::string_view strHost, const CCounterNameMap& names) {
    for (series::CCounterTracker& tracker : m_vecFixed) tracker.BeginFile(strHost, names);
    for (CInstanceGroup& group : m_vecGroups) group.m_tracker.BeginFile(strHost, names);
}

void CCsvSampleColumns::AddSample(perf::PerfBytes block) {
    m_vecValues.assign(m_vecColumns.size(), kGap);
    series::CBlockObjects objects(block);  // each object found once for all the counters
    for (std::size_t i = 0; i < m_vecFixed.size(); ++i) {
        series::CCounterTracker& tracker = m_vecFixed[i];
        tracker.AddSample(objects);
        if (tracker.HasValue()) m_vecValues[i] = tracker.Value();
    }
    for (CInstanceGroup& group : m_vecGroups) {
        group.m_tracker.AddSample(objects);
        FillInstances(group);
    }
}

void CCsvSampleColumns::FillInstances(CInstanceGroup& group) {
    // Both the sample's instances and the group's columns are in key order: one merge pass.
    m_vecNew.clear();
    std::size_t nKnown = 0;
    for (const series::CInstanceValue& value : group.m_tracker.InstanceValues()) {
        const series::CInstanceSample& instance = *value.m_pInstance;
        // <0: the column's instance comes before this one, 0: it is this one.
        const auto order = [&](const CInstanceColumn& column) {
            const int nKey = column.m_strKey.compare(instance.m_strKey);
            if (nKey != 0) return nKey;
            return column.m_nOccurrence < instance.m_nOccurrence   ? -1
                   : column.m_nOccurrence > instance.m_nOccurrence ? 1
                                                                   : 0;
        };
        int nOrder = 1;
        while (nKnown < group.m_vecColumns.size() &&
               (nOrder = order(group.m_vecColumns[nKnown])) < 0) {
            ++nKnown;
        }
        if (nKnown < group.m_vecColumns.size() && nOrder == 0) {
            if (value.HasValue()) m_vecValues[group.m_vecColumns[nKnown].m_nColumn] = value.m_dValue;
            continue;
        }
        m_vecNew.push_back(&value);
    }
    if (!m_vecNew.empty()) AddInstanceColumns(group, m_vecNew);
}

void CCsvSampleColumns::AddInstanceColumns(CInstanceGroup& group,
                                           std::vector<const series::CInstanceValue*>& vecNew) {
    struct CNamed {
        std::string m_strName;
        const series::CInstanceValue* m_pValue;
    };
    std::vector<CNamed> vecNamed;
    for (const series::CInstanceValue* pValue : vecNew) {
        std::string strName = InstanceNameText(pValue->m_pInstance->m_strKey);
        if (pValue->m_pInstance->m_nOccurrence > 0) {
            strName += "#" + std::to_string(pValue->m_pInstance->m_nOccurrence);
        }
        vecNamed.push_back({std::move(strName), pValue});
    }
    std::stable_sort(vecNamed.begin(), vecNamed.end(), [](const CNamed& a, const CNamed& b) {
        return NaturalLess(a.m_strName, b.m_strName);
    });
    for (const CNamed& named : vecNamed) {
        const series::CInstanceSample& instance = *named.m_pValue->m_pInstance;
        const std::size_t nColumn = m_vecColumns.size();
        m_vecColumns.push_back({std::string(group.m_strObjectText) + "(" + named.m_strName + ")-" +
                                    std::string(group.m_strCounterText) + " [%]",
                                2});
        m_vecValues.push_back(named.m_pValue->HasValue() ? named.m_pValue->m_dValue : kGap);
        CInstanceColumn column{instance.m_strKey, instance.m_nOccurrence, nColumn};
        const auto it = std::lower_bound(
            group.m_vecColumns.begin(), group.m_vecColumns.end(), column,
            [](const CInstanceColumn& a, const CInstanceColumn& b) {
                return a.m_strKey != b.m_strKey ? a.m_strKey < b.m_strKey
                                                : a.m_nOccurrence < b.m_nOccurrence;
            });
        group.m_vecColumns.insert(it, std::move(column));
    }
}

}  // namespace csv
