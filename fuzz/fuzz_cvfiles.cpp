// CV files (.CV) and CV table files (.LST) as they may be found on a
// user's disk: only CVs and values in range come out, and what is read is
// written back so that it reads the same.
#include "platform/TextFile.h"
#include "programming/CvFile.h"
#include "programming/CvTableFile.h"
#include "programming/ProgrammingState.h"

#include <QByteArray>
#include <cstdint>

namespace {

void checkCvFile(const QByteArray& bytes) {
    const cvfile::Parsed parsed = cvfile::parse(bytes);
    ProgrammingState read;
    for (const cvfile::Record& record : parsed.records) {
        if (!ProgrammingState::isCv(record.cv) || !ProgrammingState::isValue(record.value))
            __builtin_trap();
        read.setValue(record.cv, record.value);
    }
    if (!parsed.formatOk)
        return;
    const std::optional<QByteArray> written =
        textFileContent(cvfile::lines(read, parsed.tableFile), nullptr);
    // A character the code page lacks is refused, not written.
    if (!written)
        return;
    const cvfile::Parsed again = cvfile::parse(*written);
    ProgrammingState reread;
    for (const cvfile::Record& record : again.records)
        reread.setValue(record.cv, record.value);
    if (!again.formatOk || reread.CvValue != read.CvValue)
        __builtin_trap();
    // A quote inside a file name cannot be written between quotes.
    if (!parsed.tableFile.contains(u'"') && again.tableFile != parsed.tableFile)
        __builtin_trap();
}

void checkTableFile(const QByteArray& bytes) {
    const cvtablefile::Parsed parsed = cvtablefile::parse(bytes);
    for (const CvTable::Entry& entry : parsed.entries) {
        if (!ProgrammingState::isCv(entry.cv.toInt()))
            __builtin_trap();
    }
    if (!parsed.formatOk)
        return;
    const std::optional<QByteArray> written =
        textFileContent(cvtablefile::lines(parsed.name, parsed.entries), nullptr);
    if (!written)
        return;
    const cvtablefile::Parsed again = cvtablefile::parse(*written);
    if (!again.formatOk || again.name != parsed.name ||
        again.entries.size() != parsed.entries.size())
        __builtin_trap();
    for (qsizetype i = 0; i < parsed.entries.size(); ++i) {
        if (again.entries[i].cv != parsed.entries[i].cv ||
            again.entries[i].text != parsed.entries[i].text)
            __builtin_trap();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<int>(size));
    checkCvFile(bytes);
    checkTableFile(bytes);
    return 0;
}
