#include "StandardCvs.h"

#include "CvText.h"
#include "ProgrammingState.h"

namespace {
constexpr int AddressCv = 1;
constexpr int VersionCv = 7;
constexpr int LongHighCv = 17;
constexpr int LongLowCv = 18;
constexpr int ConfigCv = 29;
constexpr int LongHighMarker = 192;
} // namespace

StandardFields StandardFields::of(const ProgrammingState& prog) {
    StandardFields fields;
    const int config = prog.CvValue[ConfigCv];
    const bool known = config != ProgrammingState::Unknown;
    for (int bit = 0; bit < 8; ++bit)
        fields.CV29Bit[bit] = known && (config >> bit) & 1;
    fields.CVTxt[1] = addressText(prog, fields.CV29Bit[LongAddressBit]);
    for (int cv = 2; cv <= 6; ++cv)
        fields.CVTxt[cv] = cvtext::FormatCvValue(prog.CvValue[cv]);
    fields.version = cvtext::FormatCvValue(prog.CvValue[VersionCv]);
    return fields;
}

QString StandardFields::addressText(const ProgrammingState& prog, bool longAddress) {
    if (!longAddress)
        return cvtext::FormatCvValue(prog.CvValue[AddressCv]);
    const int high = prog.CvValue[LongHighCv];
    const int low = prog.CvValue[LongLowCv];
    if (high == ProgrammingState::Unknown || low == ProgrammingState::Unknown)
        return QStringLiteral("-");
    return QString::number((high & 63) * 256 + low);
}

void StandardFields::copyTo(ProgrammingState& prog) const {
    const int address = cvtext::fieldValue(CVTxt[1]);
    if (!CV29Bit[LongAddressBit]) {
        prog.CvValue[AddressCv] = qMin(address, int(ProgrammingState::Unknown));
    } else if (address == ProgrammingState::Unknown) {
        prog.CvValue[LongHighCv] = ProgrammingState::Unknown;
        prog.CvValue[LongLowCv] = ProgrammingState::Unknown;
    } else {
        prog.CvValue[LongLowCv] = address & 255;
        prog.CvValue[LongHighCv] = ((address / 256) & 63) + LongHighMarker;
    }
    for (int cv = 2; cv <= 6; ++cv)
        prog.CvValue[cv] = qMin(cvtext::fieldValue(CVTxt[cv]), int(ProgrammingState::Unknown));
    int config = 0;
    for (int bit = 0; bit < 8; ++bit)
        config |= CV29Bit[bit] ? 1 << bit : 0;
    prog.CvValue[ConfigCv] = config;
}

QString cvListLine(int cv, int value) {
    return QStringLiteral("CV %1 = %2").arg(cv, 3).arg(value, 3);
}
