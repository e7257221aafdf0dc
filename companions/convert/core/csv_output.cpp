// The buffered output of the CSV conversion and its temporary names.
#include "csv_output.h"

#include "platform/files.h"

namespace csv {

platform::ErrorCode CBufferedOutput::CreateTemporary(const std::string& strBase,
                                                     std::string_view strSuffix,
                                                     const OutputFileMaker& fnCreate) {
    constexpr int kMaxNumber = 99;
    m_strBuffer.reserve(kBufferBytes + (kBufferBytes >> 4));
    for (int n = 0; n <= kMaxNumber; ++n) {
        std::string strPath = strBase + std::string(strSuffix);
        if (n > 0) strPath += std::to_string(n);
        const platform::ErrorCode nError = fnCreate ? fnCreate(strPath, m_pFile)
                                                    : platform::CreateNewOutputFile(strPath, m_pFile);
        if (nError == platform::kSuccess) {
            m_strPath = std::move(strPath);
            return m_nError = platform::kSuccess;
        }
        if (nError != platform::kErrorFileExists && nError != platform::kErrorAlreadyExists) {
            return m_nError = nError;
        }
    }
    return m_nError = platform::kErrorFileExists;
}

void CBufferedOutput::WriteBuffer() {
    if (m_nError == platform::kSuccess && m_pFile && !m_strBuffer.empty()) {
        m_nError = m_pFile->Write(m_strBuffer.data(), m_strBuffer.size());
    }
    m_strBuffer.clear();
}

platform::ErrorCode CBufferedOutput::Close() {
    WriteBuffer();
    if (m_pFile) {
        const platform::ErrorCode nClose = m_pFile->Close();
        if (m_nError == platform::kSuccess) m_nError = nClose;
    }
    return m_nError;
}

void CBufferedOutput::Discard() {
    if (m_pFile) m_pFile->Close();
    m_strBuffer.clear();
    if (!m_strPath.empty()) platform::DeleteFile(m_strPath);
    m_strPath.clear();
}

}  // namespace csv
