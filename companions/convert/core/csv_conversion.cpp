// The conversion: samples into rows in a temporary file, then the header and the rows into the
// CSV file's temporary name, renamed when complete.
#include "csv_conversion.h"

#include <utility>

#include "csv_columns.h"
#include "csv_output.h"
#include "platform/file_write.h"

namespace csv {
namespace {

// Writes a row per sample to the rows file and remembers where the number of columns grew, so
// that earlier rows can be given their empty fields when the file is put together.
class CRowSink final : public series::ISampleSink {
public:
    explicit CRowSink(CBufferedOutput& rows) : m_rows(rows) {}

    void BeginFile(const CDataFileHeader& header, const CCounterNameMap& names) override {
        m_columns.BeginFile(header.m_strHost, names);
    }

    void AddSample(platform::Time tSample, perf::PerfBytes block) override {
        if (m_bHaveTime && tSample < m_tLast) {
            ++m_nSkipped;
            return;
        }
        m_bHaveTime = true;
        m_tLast = tSample;
        m_columns.AddSample(block);
        const auto& columns = m_columns.Columns();
        if (m_vecWidths.empty() || m_vecWidths.back().second != columns.size()) {
            m_vecWidths.emplace_back(m_nRows, columns.size());
        }

        std::string& strOut = m_rows.Buffer();
        m_time.Append(strOut, tSample);
        const std::span<const double> values = m_columns.Values();
        for (std::size_t i = 0; i < values.size(); ++i) {
            strOut += ',';
            AppendCsvNumber(strOut, values[i], columns[i].m_nDecimals);
        }
        strOut += kCsvLineEnd;
        m_rows.Written();
        ++m_nRows;
    }

    const CCsvSampleColumns& Columns() const { return m_columns; }
    std::size_t Rows() const { return m_nRows; }
    std::size_t Skipped() const { return m_nSkipped; }
    // (first row, columns from that row on), in row order.
    const std::vector<std::pair<std::size_t, std::size_t>>& Widths() const { return m_vecWidths; }

private:
    CBufferedOutput& m_rows;
    CCsvSampleColumns m_columns;
    CCsvTimeText m_time;
    bool m_bHaveTime = false;
    platform::Time m_tLast = 0;
    std::size_t m_nRows = 0;
    std::size_t m_nSkipped = 0;
    std::vector<std::pair<std::size_t, std::size_t>> m_vecWidths;
};

std::string HeaderLine(const CCsvSampleColumns& columns, ECsvEncoding eEncoding) {
    std::string strLine;
    AppendCsvField(strLine, kTimeHeading);
    for (const CCsvColumn& column : columns.Columns()) {
        strLine += ',';
        AppendCsvField(strLine, column.m_strHeading);
    }
    std::string strBytes = eEncoding == ECsvEncoding::kUtf8Bom ? std::string(kUtf8ByteOrderMark)
                                                               : std::string();
    strBytes += EncodeCsvText(strLine, eEncoding);
    strBytes += kCsvLineEnd;
    return strBytes;
}

// Copies the rows file into the output after the header, adding to each row the empty fields of
// the columns that came into being after it was written.
platform::ErrorCode CopyRows(const std::string& strRows, const CRowSink& sink,
                             CBufferedOutput& output) {
    platform::InputFile input;
    platform::ErrorCode nError = input.Open(strRows);
    if (nError != platform::kSuccess) return nError;
    const auto& widths = sink.Widths();
    const std::size_t nFinal = sink.Columns().Columns().size();
    std::size_t nRow = 0;
    std::size_t nWidth = 0;  // index into widths of the current row's width
    std::string strChunk(CBufferedOutput::kBufferBytes, '\0');
    std::string strPending;  // the start of a row whose end is in the next chunk
    for (;;) {
        std::size_t nRead = 0;
        nError = input.Read(strChunk.data(), strChunk.size(), nRead);
        if (nError != platform::kSuccess) return nError;
        if (nRead == 0) break;
        const std::string_view chunk(strChunk.data(), nRead);
        if (widths.size() <= 1) {
            output.Append(chunk);  // every row already has every column
            continue;
        }
        std::size_t nStart = 0;
        for (;;) {
            const std::size_t nEnd = chunk.find('\n', nStart);
            if (nEnd == std::string_view::npos) {
                strPending += chunk.substr(nStart);  // the row goes on in the next chunk
                break;
            }
            strPending += chunk.substr(nStart, nEnd - nStart);
            if (!strPending.empty() && strPending.back() == '\r') strPending.pop_back();
            while (nWidth + 1 < widths.size() && widths[nWidth + 1].first <= nRow) ++nWidth;
            strPending.append(nFinal - widths[nWidth].second, ',');
            strPending += kCsvLineEnd;
            output.Append(strPending);
            strPending.clear();
            ++nRow;
            nStart = nEnd + 1;
        }
    }
    return output.Error();
}

}  // namespace

CConvertResult ConvertToCsv(const std::vector<std::string>& vecPaths, const std::string& strOutput,
                            const CConvertOptions& options, const ConvertObserver& observer) {
    CConvertResult result;
    if (vecPaths.empty()) {
        result.m_eError = EConvertError::kNoFiles;
        return result;
    }
    const auto failWrite = [&](platform::ErrorCode nError) {
        result.m_eError = EConvertError::kWriteFailed;
        result.m_nWriteError = nError;
        return result;
    };

    CBufferedOutput rows;
    if (const platform::ErrorCode nError =
            rows.CreateTemporary(strOutput, ".rows", options.m_fnCreateFile)) {
        return failWrite(nError);
    }
    CRowSink sink(rows);
    bool bCancelled = false;
    series::CWalkResult walk =
        series::WalkSamples(vecPaths, sink, [&](const series::CLoadProgress& progress) {
            if (rows.Error() != platform::kSuccess) return false;
            if (!observer) return true;
            bCancelled = !observer({progress.m_nFile, progress.m_nFiles, progress.m_nBytesDone,
                                    progress.m_nBytesTotal, sink.Rows()});
            return !bCancelled;
        });
    result.m_strHost = std::move(walk.m_strHost);
    result.m_nFiles = walk.m_nFiles;
    result.m_vecProblems = std::move(walk.m_vecProblems);
    result.m_nSkipped = sink.Skipped();
    const platform::ErrorCode nRowsError = rows.Close();
    if (nRowsError != platform::kSuccess || bCancelled || walk.m_nFiles == 0 || sink.Rows() == 0) {
        rows.Discard();
        if (nRowsError != platform::kSuccess) return failWrite(nRowsError);
        result.m_eError = bCancelled              ? EConvertError::kCancelled
                          : walk.m_nFiles == 0    ? EConvertError::kNoUsableFile
                                                  : EConvertError::kNoSamples;
        return result;
    }

    CBufferedOutput output;
    platform::ErrorCode nError = output.CreateTemporary(strOutput, ".part", options.m_fnCreateFile);
    if (nError == platform::kSuccess) {
        output.Append(HeaderLine(sink.Columns(), options.m_eEncoding));
        nError = CopyRows(rows.Path(), sink, output);
        const platform::ErrorCode nClose = output.Close();
        if (nError == platform::kSuccess) nError = nClose;
    }
    rows.Discard();
    if (nError == platform::kSuccess) nError = platform::RenameReplacing(output.Path(), strOutput);
    if (nError != platform::kSuccess) {
        output.Discard();
        return failWrite(nError);
    }
    result.m_nRows = sink.Rows();
    result.m_nColumns = sink.Columns().Columns().size() + 1;
    return result;
}

}  // namespace csv
