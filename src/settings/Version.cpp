#include "Version.h"

#include "VersionText.h"
#include "link/LinkState.h"

#include <QFormLayout>
#include <QLabel>

namespace {
constexpr int SerialNumberAndVersionJob = 47;
} // namespace

Version::Version(LinkState& state, QWidget* parent) : SettingsWindow(parent), s(state) {
    setObjectName(QStringLiteral("Version"));
    setWindowTitle(QStringLiteral("Serienummer und Software-Version"));
    auto* layout = new QFormLayout(this);
    m_serialNumber = new QLabel(this);
    m_serialNumber->setObjectName(QStringLiteral("SeriLbl"));
    m_version = new QLabel(this);
    m_version->setObjectName(QStringLiteral("VersionLbl"));
    for (QLabel* value : {m_serialNumber, m_version})
        value->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    layout->addRow(QStringLiteral("Seriennummer:"), m_serialNumber);
    layout->addRow(QStringLiteral("Software-Version:"), m_version);
    s.hooks.OnVersionRead = [this] { ShowVersion(); };
}

Version::~Version() {
    s.hooks.OnVersionRead = nullptr;
}

void Version::activated() {
    s.job.start(SerialNumberAndVersionJob);
}

void Version::ShowVersion() {
    m_serialNumber->setText(serialNumberText(s.answers.SerialNumber));
    m_version->setText(softwareVersionText(s.answers.SoftwareVersion));
}
