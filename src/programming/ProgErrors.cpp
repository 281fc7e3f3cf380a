#include "ProgErrors.h"

#include "ProgrammingState.h"

QString ProgError::message() const {
    switch (kind) {
    case NotFound:
        return QStringLiteral("Programmiergleis: CV nicht vorhanden");
    case ShortCircuit:
        return QStringLiteral("Programmiergleis: Kurzschluss");
    case NoLoco:
        return QStringLiteral("Programmiergleis: keine Lok");
    case WriteFailed:
        return QStringLiteral("Programmiergleis: Schreibfehler");
    case Unknown:
        break;
    }
    return QStringLiteral("Programmiergleis: unbekannter Fehler");
}

ProgError progError(int progAnswer, ProgJobKind job) {
    switch (progAnswer - ProgrammingState::StatusBase) {
    case 2:
        if (job == ProgJobKind::WriteSingle)
            return {ProgError::WriteFailed};
        if (job == ProgJobKind::WriteList)
            return {ProgError::Unknown};
        return {ProgError::NotFound};
    case 3:
        return {ProgError::ShortCircuit};
    case 4:
        return {ProgError::NoLoco};
    default:
        return {ProgError::Unknown};
    }
}
