#include "WholeFile.h"

#include <QSaveFile>

bool writeWholeFile(const QString& path, const QByteArray& content, QString* error) {
    QSaveFile file(path);
    QString problem;
    if (!file.open(QIODevice::WriteOnly)) {
        problem = file.errorString();
    } else if (file.write(content) != content.size()) {
        // A full disk may take part of the data without reporting an error;
        // committing then would replace the old file with a cut-off one.
        file.cancelWriting();
        problem = QStringLiteral("Schreibfehler");
    } else if (!file.commit()) {
        problem = file.errorString();
    }
    if (problem.isEmpty())
        return true;
    if (error)
        *error = problem;
    return false;
}
