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

    // Hersteller.dat: one "number: name" a line, Latin-1. Lines without a
    // colon or with a number outside 0..256 are passed over.
    void parse(const QByteArray& content);
    // A missing file leaves the names as they are.
    void load(const QString& path);

private:
    std::array<QString, Entries> m_names;
};
