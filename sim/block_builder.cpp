// Lays out performance data blocks from object models: header, objects, definitions, instances.
#include "block_builder.h"

#include <algorithm>
#include <utility>

#include "perf/perf_bytes.h"

namespace sim {

namespace {

namespace db = perf::data_block;
namespace ot = perf::object_type;
namespace cd = perf::counter_definition;
namespace id = perf::instance_definition;

std::size_t Align8(std::size_t n) {
    return (n + 7) & ~std::size_t{7};
}

std::uint32_t ValueSize(const CCounterDefinition& counter) {
    return counter.m_nSize == 4 ? 4 : 8;
}

// Offsets of the values inside a counter block: after the block's own ByteLength field, each
// value aligned to its size. Returns the counter block's length, a multiple of 8.
std::uint32_t PlaceCounters(const std::vector<CCounterDefinition>& vecCounters,
                            std::vector<std::uint32_t>& vecOffsets) {
    std::uint32_t nPos = perf::counter_block::kSize;
    vecOffsets.clear();
    for (const CCounterDefinition& counter : vecCounters) {
        const std::uint32_t nSize = ValueSize(counter);
        nPos = (nPos + nSize - 1) / nSize * nSize;
        vecOffsets.push_back(nPos);
        nPos += nSize;
    }
    return static_cast<std::uint32_t>(Align8(nPos));
}

}  // namespace

// A little-endian byte image that grows as structures are reserved: in a vector of its own, or
// in a caller's buffer, where the bytes beyond the buffer's end are counted but not written (the
// caller sees from Size() that the image did not fit).
class CByteImage {
public:
    CByteImage() = default;
    explicit CByteImage(std::span<std::uint8_t> out) : m_out(out), m_bOwnBytes(false) {}

    std::size_t Size() const { return m_nSize; }
    // Appends nBytes zero bytes and returns the offset of the first.
    std::size_t Reserve(std::size_t nBytes) {
        const std::size_t nOffset = m_nSize;
        m_nSize += nBytes;
        if (m_bOwnBytes) {
            m_vecBytes.resize(m_nSize, 0);
            m_out = m_vecBytes;
        } else if (nOffset < m_out.size()) {
            std::fill_n(m_out.data() + nOffset, std::min(nBytes, m_out.size() - nOffset), 0);
        }
        return nOffset;
    }
    void Put16(std::size_t nOffset, std::uint16_t n) { Put(nOffset, n); }
    void Put32(std::size_t nOffset, std::uint32_t n) { Put(nOffset, n); }
    void Put64(std::size_t nOffset, std::int64_t n) { Put(nOffset, n); }
    // Writes a UTF-16 string with its NUL; returns the bytes written.
    std::size_t PutName(std::size_t nOffset, const std::u16string& str) {
        for (std::size_t i = 0; i < str.size(); ++i) Put16(nOffset + 2 * i, str[i]);
        Put16(nOffset + 2 * str.size(), 0);
        return 2 * (str.size() + 1);
    }
    std::vector<std::uint8_t> Take() { return std::move(m_vecBytes); }

private:
    template <typename T>
    void Put(std::size_t nOffset, T n) {
        if (nOffset <= m_out.size() && m_out.size() - nOffset >= sizeof(T)) {
            perf::StoreLE(m_out.data() + nOffset, n);
        }
    }

    std::vector<std::uint8_t> m_vecBytes;
    std::span<std::uint8_t> m_out;  // where the bytes go: m_vecBytes or the caller's buffer
    bool m_bOwnBytes = true;
    std::size_t m_nSize = 0;
};

std::u16string Utf8ToUtf16(std::string_view strUtf8) {
    std::u16string strResult;
    std::size_t i = 0;
    while (i < strUtf8.size()) {
        const auto nLead = static_cast<unsigned char>(strUtf8[i++]);
        char32_t c = 0xFFFD;
        std::size_t nTrail = 0;
        char32_t nMin = 0;
        if (nLead < 0x80) {
            c = nLead;
        } else if ((nLead & 0xE0) == 0xC0) {
            c = nLead & 0x1F, nTrail = 1, nMin = 0x80;
        } else if ((nLead & 0xF0) == 0xE0) {
            c = nLead & 0x0F, nTrail = 2, nMin = 0x800;
        } else if ((nLead & 0xF8) == 0xF0) {
            c = nLead & 0x07, nTrail = 3, nMin = 0x10000;
        }
        if (nTrail > 0) {
            std::size_t k = 0;
            while (k < nTrail && i + k < strUtf8.size() &&
                   (static_cast<unsigned char>(strUtf8[i + k]) & 0xC0) == 0x80) {
                c = (c << 6) | (static_cast<unsigned char>(strUtf8[i + k]) & 0x3F);
                ++k;
            }
            i += k;
            if (k < nTrail || c < nMin || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) c = 0xFFFD;
        }
        if (c >= 0x10000) {
            strResult.push_back(static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10)));
            strResult.push_back(static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF)));
        } else {
            strResult.push_back(static_cast<char16_t>(c));
        }
    }
    return strResult;
}

CPerfObjectModel::CPerfObjectModel(std::uint32_t nIndex,
                                   std::vector<CCounterDefinition> vecCounters, bool bHasInstances)
    : m_nIndex(nIndex),
      m_vecCounters(std::move(vecCounters)),
      m_bHasInstances(bHasInstances),
      m_vecValues(bHasInstances ? 0 : m_vecCounters.size(), 0) {
    for (CCounterDefinition& counter : m_vecCounters) counter.m_nSize = ValueSize(counter);
}

CPerfInstanceModel& CPerfObjectModel::AddInstance(std::string_view strName,
                                                  std::uint32_t nParentObject,
                                                  std::uint32_t nParentInstance) {
    CPerfInstanceModel& instance = m_vecInstances.emplace_back();
    instance.m_strName = std::string(strName);
    instance.m_nParentObject = nParentObject;
    instance.m_nParentInstance = nParentInstance;
    instance.m_vecValues.assign(m_vecCounters.size(), 0);
    return instance;
}

bool CPerfObjectModel::RemoveInstance(std::string_view strName) {
    const auto it =
        std::find_if(m_vecInstances.begin(), m_vecInstances.end(),
                     [&](const CPerfInstanceModel& i) { return i.m_strName == strName; });
    if (it == m_vecInstances.end()) return false;
    m_vecInstances.erase(it);
    return true;
}

std::vector<std::int64_t>* CPerfObjectModel::ValuesOf(std::string_view strInstance) {
    return const_cast<std::vector<std::int64_t>*>(std::as_const(*this).ValuesOf(strInstance));
}

const std::vector<std::int64_t>* CPerfObjectModel::ValuesOf(std::string_view strInstance) const {
    if (!m_bHasInstances) return &m_vecValues;
    for (const CPerfInstanceModel& instance : m_vecInstances) {
        if (instance.m_strName == strInstance) return &instance.m_vecValues;
    }
    return nullptr;
}

std::optional<std::size_t> CPerfObjectModel::CounterPosition(std::uint32_t nCounter) const {
    for (std::size_t i = 0; i < m_vecCounters.size(); ++i) {
        if (m_vecCounters[i].m_nIndex == nCounter) return i;
    }
    return std::nullopt;
}

bool CPerfObjectModel::SetValue(std::string_view strInstance, std::uint32_t nCounter,
                                std::int64_t nValue) {
    std::vector<std::int64_t>* pValues = ValuesOf(strInstance);
    const std::optional<std::size_t> nPos = CounterPosition(nCounter);
    if (pValues == nullptr || !nPos) return false;
    (*pValues)[*nPos] = nValue;
    return true;
}

bool CPerfObjectModel::AddValue(std::string_view strInstance, std::uint32_t nCounter,
                                std::int64_t nDelta) {
    std::vector<std::int64_t>* pValues = ValuesOf(strInstance);
    const std::optional<std::size_t> nPos = CounterPosition(nCounter);
    if (pValues == nullptr || !nPos) return false;
    std::int64_t& nValue = (*pValues)[*nPos];
    nValue = static_cast<std::int64_t>(static_cast<std::uint64_t>(nValue) +
                                       static_cast<std::uint64_t>(nDelta));
    return true;
}

bool CPerfObjectModel::SetBaseValue(std::string_view strInstance, std::uint32_t nCounter,
                                    std::int64_t nValue) {
    std::vector<std::int64_t>* pValues = ValuesOf(strInstance);
    const std::optional<std::size_t> nPos = CounterPosition(nCounter);
    if (pValues == nullptr || !nPos || *nPos + 1 >= m_vecCounters.size()) return false;
    (*pValues)[*nPos + 1] = nValue;
    return true;
}

std::optional<std::int64_t> CPerfObjectModel::Value(std::string_view strInstance,
                                                    std::uint32_t nCounter) const {
    const std::vector<std::int64_t>* pValues = ValuesOf(strInstance);
    const std::optional<std::size_t> nPos = CounterPosition(nCounter);
    if (pValues == nullptr || !nPos) return std::nullopt;
    return (*pValues)[*nPos];
}

CPerfBlockBuilder::CPerfBlockBuilder(std::string_view strSystemName)
    : m_strSystemName(Utf8ToUtf16(strSystemName)) {}

CPerfObjectModel& CPerfBlockBuilder::AddObject(std::uint32_t nIndex,
                                               std::vector<CCounterDefinition> vecCounters,
                                               bool bHasInstances) {
    return m_vecObjects.emplace_back(nIndex, std::move(vecCounters), bHasInstances);
}

bool CPerfBlockBuilder::RemoveObject(std::uint32_t nIndex) {
    const auto it = std::find_if(m_vecObjects.begin(), m_vecObjects.end(),
                                 [&](const CPerfObjectModel& o) { return o.Index() == nIndex; });
    if (it == m_vecObjects.end()) return false;
    m_vecObjects.erase(it);
    return true;
}

CPerfObjectModel* CPerfBlockBuilder::Object(std::uint32_t nIndex) {
    return const_cast<CPerfObjectModel*>(std::as_const(*this).Object(nIndex));
}

const CPerfObjectModel* CPerfBlockBuilder::Object(std::uint32_t nIndex) const {
    for (const CPerfObjectModel& object : m_vecObjects) {
        if (object.Index() == nIndex) return &object;
    }
    return nullptr;
}

bool CPerfBlockBuilder::SetValue(std::uint32_t nObject, std::string_view strInstance,
                                 std::uint32_t nCounter, std::int64_t nValue) {
    CPerfObjectModel* pObject = Object(nObject);
    return pObject != nullptr && pObject->SetValue(strInstance, nCounter, nValue);
}

bool CPerfBlockBuilder::AddValue(std::uint32_t nObject, std::string_view strInstance,
                                 std::uint32_t nCounter, std::int64_t nDelta) {
    CPerfObjectModel* pObject = Object(nObject);
    return pObject != nullptr && pObject->AddValue(strInstance, nCounter, nDelta);
}

void CPerfBlockBuilder::SetClock(std::int64_t n100nSec) {
    constexpr std::int64_t kUnitsPerSecond = 10'000'000;
    m_nPerfTime100nSec = n100nSec;
    // Split into seconds and remainder so that realistic times cannot overflow.
    m_nPerfTime = n100nSec / kUnitsPerSecond * m_nPerfFreq +
                  n100nSec % kUnitsPerSecond * m_nPerfFreq / kUnitsPerSecond;
}

std::vector<std::uint8_t> CPerfBlockBuilder::Build(CBlockLayout* pLayout) const {
    CByteImage image;
    Lay(image, pLayout);
    return image.Take();
}

std::size_t CPerfBlockBuilder::BuildInto(std::span<std::uint8_t> out, CBlockLayout* pLayout) const {
    CByteImage image(out);
    Lay(image, pLayout);
    return image.Size();
}

void CPerfBlockBuilder::Lay(CByteImage& image, CBlockLayout* pLayout) const {
    CBlockLayout layout;

    // PERF_DATA_BLOCK, then the system name; the first object follows at HeaderLength.
    image.Reserve(db::kSize + Align8(2 * (m_strSystemName.size() + 1)));
    const std::size_t nNameBytes = image.PutName(db::kSize, m_strSystemName);
    layout.m_nHeaderLength = image.Size();
    layout.m_nSystemNameOffset = db::kSize;
    const char16_t kSignature[] = u"PERF";
    for (std::size_t i = 0; i < 4; ++i) image.Put16(db::kSignature + 2 * i, kSignature[i]);
    image.Put32(db::kLittleEndian, 1);
    image.Put32(db::kVersion, 1);
    image.Put32(db::kRevision, 1);
    image.Put32(db::kHeaderLength, static_cast<std::uint32_t>(layout.m_nHeaderLength));
    image.Put32(db::kNumObjectTypes, static_cast<std::uint32_t>(m_vecObjects.size()));
    image.Put32(db::kDefaultObject, m_nDefaultObject);
    const std::uint16_t arrTime[] = {m_stSystemTime.m_nYear,      m_stSystemTime.m_nMonth,
                                     m_stSystemTime.m_nDayOfWeek, m_stSystemTime.m_nDay,
                                     m_stSystemTime.m_nHour,      m_stSystemTime.m_nMinute,
                                     m_stSystemTime.m_nSecond,    m_stSystemTime.m_nMilliseconds};
    for (std::size_t i = 0; i < 8; ++i) image.Put16(db::kSystemTime + 2 * i, arrTime[i]);
    image.Put64(db::kPerfTime, m_nPerfTime);
    image.Put64(db::kPerfFreq, m_nPerfFreq);
    image.Put64(db::kPerfTime100nSec, m_nPerfTime100nSec);
    image.Put32(db::kSystemNameLength, static_cast<std::uint32_t>(nNameBytes));
    image.Put32(db::kSystemNameOffset, static_cast<std::uint32_t>(db::kSize));

    std::vector<std::uint32_t> vecOffsets;
    for (const CPerfObjectModel& object : m_vecObjects) {
        const std::vector<CCounterDefinition>& vecCounters = object.Counters();
        const std::uint32_t nBlockLength = PlaceCounters(vecCounters, vecOffsets);
        CObjectLayout placed;
        placed.m_nIndex = object.Index();
        placed.m_nOffset = image.Reserve(ot::kSize);

        for (std::size_t i = 0; i < vecCounters.size(); ++i) {
            const CCounterDefinition& counter = vecCounters[i];
            const std::size_t nDef = image.Reserve(cd::kSize);
            placed.m_vecCounterDefs.push_back(nDef);
            image.Put32(nDef + cd::kByteLength, static_cast<std::uint32_t>(cd::kSize));
            image.Put32(nDef + cd::kCounterNameTitleIndex, counter.m_nIndex);
            image.Put32(nDef + cd::kCounterHelpTitleIndex, counter.m_nIndex + 1);
            image.Put32(nDef + cd::kDefaultScale,
                        static_cast<std::uint32_t>(counter.m_nDefaultScale));
            image.Put32(nDef + cd::kDetailLevel, counter.m_nDetailLevel);
            image.Put32(nDef + cd::kCounterType, counter.m_nType);
            image.Put32(nDef + cd::kCounterSize, counter.m_nSize);
            image.Put32(nDef + cd::kCounterOffset, vecOffsets[i]);
        }
        const std::size_t nDefinitionLength = image.Size() - placed.m_nOffset;

        const auto writeCounterBlock = [&](const std::vector<std::int64_t>& vecValues) {
            const std::size_t nBlock = image.Reserve(nBlockLength);
            placed.m_vecCounterBlocks.push_back(nBlock);
            image.Put32(nBlock, nBlockLength);
            for (std::size_t i = 0; i < vecCounters.size(); ++i) {
                const std::int64_t nValue = vecCounters[i].m_nType == kPerfPrecisionTimestamp
                                                ? m_nPerfTime100nSec
                                                : vecValues[i];
                if (vecCounters[i].m_nSize == 4) {
                    image.Put32(nBlock + vecOffsets[i], static_cast<std::uint32_t>(nValue));
                } else {
                    image.Put64(nBlock + vecOffsets[i], nValue);
                }
            }
        };
        if (!object.HasInstances()) {
            writeCounterBlock(object.Values());
        } else {
            for (const CPerfInstanceModel& instance : object.Instances()) {
                const std::u16string strName = Utf8ToUtf16(instance.m_strName);
                const std::size_t nNameSize = 2 * (strName.size() + 1);
                const std::size_t nLength = id::kSize + Align8(nNameSize);
                const std::size_t nInstance = image.Reserve(nLength);
                placed.m_vecInstances.push_back(nInstance);
                image.Put32(nInstance + id::kByteLength, static_cast<std::uint32_t>(nLength));
                image.Put32(nInstance + id::kParentObjectTitleIndex, instance.m_nParentObject);
                image.Put32(nInstance + id::kParentObjectInstance, instance.m_nParentInstance);
                image.Put32(nInstance + id::kUniqueID,
                            static_cast<std::uint32_t>(instance.m_nUniqueId));
                image.Put32(nInstance + id::kNameOffset, static_cast<std::uint32_t>(id::kSize));
                image.Put32(nInstance + id::kNameLength, static_cast<std::uint32_t>(nNameSize));
                image.PutName(nInstance + id::kSize, strName);
                writeCounterBlock(instance.m_vecValues);
            }
        }

        placed.m_nLength = image.Size() - placed.m_nOffset;
        const std::size_t nObj = placed.m_nOffset;
        image.Put32(nObj + ot::kTotalByteLength, static_cast<std::uint32_t>(placed.m_nLength));
        image.Put32(nObj + ot::kDefinitionLength, static_cast<std::uint32_t>(nDefinitionLength));
        image.Put32(nObj + ot::kHeaderLength, static_cast<std::uint32_t>(ot::kSize));
        image.Put32(nObj + ot::kObjectNameTitleIndex, object.Index());
        image.Put32(nObj + ot::kObjectHelpTitleIndex, object.Index() + 1);
        image.Put32(nObj + ot::kDetailLevel, object.m_nDetailLevel);
        image.Put32(nObj + ot::kNumCounters, static_cast<std::uint32_t>(vecCounters.size()));
        image.Put32(nObj + ot::kDefaultCounter,
                    static_cast<std::uint32_t>(object.m_nDefaultCounter));
        image.Put32(nObj + ot::kNumInstances,
                    object.HasInstances() ? static_cast<std::uint32_t>(object.Instances().size())
                                          : static_cast<std::uint32_t>(perf::kPerfNoInstances));
        image.Put32(nObj + ot::kCodePage, 0);  // names are UTF-16
        image.Put64(nObj + ot::kPerfTime, object.PerfTime().value_or(m_nPerfTime));
        image.Put64(nObj + ot::kPerfFreq, object.PerfFreq().value_or(m_nPerfFreq));
        layout.m_vecObjects.push_back(std::move(placed));
    }

    image.Reserve(Align8(m_nTrailingBytes));
    image.Put32(db::kTotalByteLength, static_cast<std::uint32_t>(image.Size()));
    if (pLayout != nullptr) *pLayout = std::move(layout);
}

}  // namespace sim
