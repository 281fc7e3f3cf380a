#include "Version.h"

#include "VersionText.h"
#include "link/LinkState.h"
#include "link/SerialNumberJob.h"

#include <QFormLayout>
#include <QLabel>

Version::Version(LinkState& state, JobMachine& jobs, QWidget* parent)
    : SettingsWindow(parent), s(state), m_jobs(jobs) {
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
    requestSerialNumberAndVersion(m_jobs);
}

void Version::ShowVersion() {
    m_serialNumber->setText(serialNumberText(s.answers.SerialNumber));
    m_version->setText(softwareVersionText(s.answers.SoftwareVersion));
}
