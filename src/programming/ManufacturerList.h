#pragma once

#include <QByteArray>
#include <QString>
#include <array>

// ManufacturerName: the maker of a decoder for each CV 8 value 0..255, and
// "-" at 256 for an unknown CV 8.
class ManufacturerList {
public:
    static constexpr int Entries = 257;

    ManufacturerList();

    QString name(int cv8) const;
    bool loaded() const { return !m_names[1].isEmpty(); }

    // Hersteller.dat: one "number: name" a line, a text file of the program.
    // Lines without a colon or with a number outside 0..256 are passed over.
    void parse(const QByteArray& content);
    // A file that cannot be read leaves the names as they are: they only
    // label the CV 8 value, which is shown anyway. A file larger than any
    // list gives the names of its beginning.
    void load(const QString& path);

private:
    std::array<QString, Entries> m_names;
};
