// The data file writer: exclusive creation under "(n)" names, buffered records, final rename.
#include "datafile/data_file_writer.h"

#include <cstring>
#include <utility>

#include "datafile/data_file_names.h"
#include "platform/files.h"

CDataFileWriter::CDataFileWriter() : CDataFileWriter(platform::CreateNewOutputFile) {}

CDataFileWriter::CDataFileWriter(FileCreator fnCreate) : m_fnCreate(std::move(fnCreate)) {}

CDataFileWriter::~CDataFileWriter() {
    Close();
}

platform::ErrorCode CDataFileWriter::Create(const std::string& strDataDir,
                                            const std::string& strHost, int nSchedule,
                                            platform::Time tStart) {
    Close();
    m_strPath.clear();
    m_strFinishedPath.clear();
    m_nBuffered = 0;
    m_nError = platform::kSuccess;

    const std::string strBase = datafile::BaseName(strDataDir, strHost, tStart, nSchedule);
    for (int n = 0; n <= datafile::kMaxNameNumber; ++n) {
        const std::string strCandidate =
            datafile::NumberedName(strBase, n, datafile::kOpenExtension);
        if (platform::FileExists(strCandidate)) continue;
        // The creation itself refuses an existing name, so a file made by someone else between
        // the test and the creation is never overwritten: the next number is tried.
        const platform::ErrorCode nCode = m_fnCreate(strCandidate, m_pFile);
        if (nCode == platform::kSuccess && m_pFile != nullptr) {
            m_strPath = strCandidate;
            return platform::kSuccess;
        }
        m_pFile.reset();
        if (nCode == platform::kErrorFileExists || nCode == platform::kErrorAlreadyExists) continue;
        return nCode != platform::kSuccess ? nCode : platform::kErrorInvalidHandle;
    }
    return platform::kErrorFileExists;
}

platform::ErrorCode CDataFileWriter::WriteOut(const void* pData, std::size_t nSize) {
    const platform::ErrorCode nCode = m_pFile->Write(pData, nSize);
    if (nCode != platform::kSuccess) m_nError = nCode;
    return nCode;
}

platform::ErrorCode CDataFileWriter::Put(const void* pData, std::size_t nSize) {
    if (m_nError != platform::kSuccess) return m_nError;
    if (m_pFile == nullptr) return platform::kErrorInvalidHandle;
    if (nSize <= m_arrBuffer.size() - m_nBuffered) {
        if (nSize > 0) std::memcpy(m_arrBuffer.data() + m_nBuffered, pData, nSize);
        m_nBuffered += nSize;
        return platform::kSuccess;
    }
    const platform::ErrorCode nCode = Flush();
    if (nCode != platform::kSuccess) return nCode;
    // A piece that would fill the buffer anyway goes to the file without the extra copy.
    if (nSize >= m_arrBuffer.size()) return WriteOut(pData, nSize);
    std::memcpy(m_arrBuffer.data(), pData, nSize);
    m_nBuffered = nSize;
    return platform::kSuccess;
}

platform::ErrorCode CDataFileWriter::Flush() {
    if (m_nError != platform::kSuccess) return m_nError;
    if (m_pFile == nullptr) return platform::kErrorInvalidHandle;
    if (m_nBuffered == 0) return platform::kSuccess;
    const std::size_t nSize = std::exchange(m_nBuffered, 0);
    return WriteOut(m_arrBuffer.data(), nSize);
}

platform::ErrorCode CDataFileWriter::WriteHeader(const CDataFileHeader& header,
                                                 const CCounterNameMap& names) {
    m_archive.Clear();
    header.Write(names, m_archive);
    const platform::ErrorCode nCode = Put(m_archive.Buffer());
    m_archive.Clear();
    if (nCode != platform::kSuccess) return nCode;
    return Flush();
}

platform::ErrorCode CDataFileWriter::WriteSample(platform::Time tSample, perf::PerfBytes block) {
    // The caller has decided with the same test that the reply is a block; this only refuses a
    // caller that did not.
    const perf::PerfBytes bytes = perf::BlockBytes(block);
    if (bytes.empty() || bytes.size() > datafile::kMaxSampleBytes) {
        return platform::kErrorInvalidParameter;
    }

    m_archive.Clear();
    m_archive.WriteTime(tSample);
    m_archive.WriteUInt32(static_cast<std::uint32_t>(bytes.size()));
    platform::ErrorCode nCode = Put(m_archive.Buffer());
    if (nCode == platform::kSuccess) nCode = Put(bytes.data(), bytes.size());
    if (nCode == platform::kSuccess) {
        m_archive.Clear();
        m_archive.WriteRawString(datafile::kEndMark);
        nCode = Put(m_archive.Buffer());
    }
    m_archive.Clear();
    return nCode;
}

platform::ErrorCode CDataFileWriter::Close() {
    if (m_pFile == nullptr) return m_nError;
    const platform::ErrorCode nFlush = Flush();
    const platform::ErrorCode nClose = m_pFile->Close();
    m_pFile.reset();
    m_nBuffered = 0;
    if (nFlush != platform::kSuccess) return nFlush;
    if (nClose != platform::kSuccess) m_nError = nClose;
    return nClose;
}

platform::ErrorCode CDataFileWriter::Finish() {
    if (m_pFile == nullptr) {
        return m_nError != platform::kSuccess ? m_nError : platform::kErrorInvalidHandle;
    }
    const platform::ErrorCode nCode = Close();
    if (nCode != platform::kSuccess) return nCode;
    return datafile::RenameToFinished(m_strPath, m_strFinishedPath);
}
