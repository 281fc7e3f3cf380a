#pragma once

#include <QString>
#include <QStringList>
#include <optional>

class CvTable;
class LinkView;
struct ProgrammingState;

// The files of the decoder being programmed: the CV file with its values
// and the CV table file it names. A file that cannot be read or has the
// wrong format changes nothing and is reported; a failed save keeps the old
// file and the old name.
class DecoderDocument {
public:
    DecoderDocument(ProgrammingState& prog, CvTable& table, LinkView& messages)
        : m_prog(prog), m_table(table), m_messages(messages) {}

    // "DCC Programmierung", with " - Datei: " and the file's name while
    // there is a current CV file.
    QString caption() const;

    // load_cv: the values of the file, every other CV unknown, then its
    // table. A table named without a folder is looked for beside the CV
    // file, as is one whose folder does not exist here.
    bool loadCv(const QString& path);
    // save_cv; the path becomes the current CV file.
    bool saveCv(const QString& path);
    // load_cvtab. quiet: a file that cannot be read is passed over without
    // a message (a table named by a CV file).
    bool loadTable(const QString& path, bool quiet = false);
    bool saveTable(const QString& path);

    // Where "spez. CV_tabelle speichern" starts: the current table file, else
    // the CV file's name as a table file.
    QString suggestedTableFile() const;

    // CvFileName: empty when there is no current CV file.
    QString CvFileName;
    // CvTableFileName: nothing until a table file was chosen or named.
    std::optional<QString> CvTableFileName;

private:
    QString tableBeside(const QString& named) const;
    bool write(const QString& path, const QStringList& lines) const;
    void cannotRead(const QString& path, const QString& problem) const;
    void wrongFormat() const;

    ProgrammingState& m_prog;
    CvTable& m_table;
    LinkView& m_messages;
};
