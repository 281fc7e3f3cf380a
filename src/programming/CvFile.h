#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

struct ProgrammingState;

// A CV file (.CV): the line "CV-Datei" in quotes, the CV table file that
// belongs to it (quoted; an empty line when none was ever chosen), then one
// record "CV,value" for every known CV 1..1024 in ascending order.
namespace cvfile {

constexpr auto Header = "CV-Datei";

QStringList lines(const ProgrammingState& prog, const std::optional<QString>& tableFile);

struct Record {
    int cv = 0;
    int value = 0;
};

struct Parsed {
    bool formatOk = false;
    QString tableFile;
    // Only records of CVs 1..1024 with values 0..255; anything else in the
    // file is passed over.
    std::vector<Record> records;
};

Parsed parse(const QByteArray& content);

} // namespace cvfile
