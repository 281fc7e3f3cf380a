#include "DecoderDocument.h"

#include "CvFile.h"
#include "CvTable.h"
#include "CvTableFile.h"
#include "DecoderTextFile.h"
#include "ProgrammingState.h"
#include "link/LinkView.h"
#include "platform/TextFile.h"
#include "platform/WholeFile.h"

#include <QDir>
#include <QFileInfo>

namespace {
const QString FileErrorTitle = QStringLiteral("Dateifehler");

// The name after the last folder separator of either kind: table names in
// CV files may come from another system.
QString bareName(const QString& path) {
    return path.mid(qMax(path.lastIndexOf(u'/'), path.lastIndexOf(u'\\')) + 1);
}
} // namespace

QString DecoderDocument::caption() const {
    QString caption = QStringLiteral("DCC Programmierung");
    if (!CvFileName.isEmpty())
        caption += QStringLiteral(" - Datei: ") + QFileInfo(CvFileName).fileName();
    return caption;
}

bool DecoderDocument::loadCv(const QString& path) {
    const FileContent content = readWholeFile(path, decoderfile::MaxFileSize);
    if (!content.whole()) {
        cannotRead(path, content.problem);
        return false;
    }
    const cvfile::Parsed parsed = cvfile::parse(content.bytes);
    if (!parsed.formatOk) {
        wrongFormat();
        return false;
    }
    CvFileName = path;
    for (int cv = 1; cv <= ProgrammingState::MaxCv; ++cv)
        m_prog.CvValue[cv] = ProgrammingState::Unknown;
    for (const cvfile::Record& record : parsed.records)
        m_prog.setValue(record.cv, record.value);
    CvTableFileName = tableBeside(parsed.tableFile);
    if (!CvTableFileName->isEmpty())
        loadTable(*CvTableFileName, true);
    return true;
}

QString DecoderDocument::tableBeside(const QString& named) const {
    if (named.isEmpty())
        return named;
    const QString folder = QFileInfo(CvFileName).path();
    const QString beside = QDir::toNativeSeparators(folder + u'/' + bareName(named));
    const bool hasFolder = named.contains(u'/') || named.contains(u'\\');
    if (!hasFolder || (!QFileInfo::exists(named) && QFileInfo::exists(beside)))
        return beside;
    return named;
}

bool DecoderDocument::saveCv(const QString& path) {
    if (!write(path, cvfile::lines(m_prog, CvTableFileName)))
        return false;
    CvFileName = path;
    return true;
}

bool DecoderDocument::loadTable(const QString& path, bool quiet) {
    const FileContent content = readWholeFile(path, decoderfile::MaxFileSize);
    if (!content.whole()) {
        if (!quiet)
            cannotRead(path, content.problem);
        return false;
    }
    const cvtablefile::Parsed parsed = cvtablefile::parse(content.bytes);
    if (!parsed.formatOk) {
        wrongFormat();
        return false;
    }
    m_table.setName(parsed.name);
    m_table.setEntries(parsed.entries);
    CvTableFileName = path;
    return true;
}

bool DecoderDocument::saveTable(const QString& path) {
    if (!write(path, cvtablefile::lines(m_table.name(), m_table.entries())))
        return false;
    CvTableFileName = path;
    return true;
}

QString DecoderDocument::suggestedTableFile() const {
    if (CvTableFileName && !CvTableFileName->isEmpty())
        return *CvTableFileName;
    if (CvFileName.isEmpty())
        return {};
    const QFileInfo cvFile(CvFileName);
    return QDir::toNativeSeparators(cvFile.path() + u'/' + cvFile.completeBaseName() +
                                    QStringLiteral(".LST"));
}

bool DecoderDocument::write(const QString& path, const QStringList& lines) const {
    QString error;
    if (writeTextFile(path, lines, &error))
        return true;
    m_messages.ShowMessage(QStringLiteral("Die Datei %1 konnte nicht gespeichert werden:\n%2.\n"
                                          "Es wurde nichts geschrieben.")
                               .arg(QDir::toNativeSeparators(path), error),
                           FileErrorTitle, MessageIcon::Critical);
    return false;
}

void DecoderDocument::cannotRead(const QString& path, const QString& problem) const {
    m_messages.ShowMessage(QStringLiteral("Die Datei %1 konnte nicht gelesen werden:\n%2.")
                               .arg(QDir::toNativeSeparators(path), problem),
                           FileErrorTitle, MessageIcon::Critical);
}

void DecoderDocument::wrongFormat() const {
    m_messages.ShowMessage(QStringLiteral("Falsches Dateiformat!"), FileErrorTitle,
                           MessageIcon::Critical);
}
