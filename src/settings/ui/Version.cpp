#include "Version.h"

#include "link/AnswerBook.h"
#include "link/LinkHooks.h"
#include "link/SerialNumberJob.h"
#include "settings/VersionText.h"

#include <QFormLayout>
#include <QLabel>

Version::Version(const AnswerBook& answers, LinkHooks& hooks, JobMachine& jobs, QWidget* parent)
    : SettingsWindow(parent), m_answers(answers), m_hooks(hooks), m_jobs(jobs) {
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
    m_hooks.OnVersionRead = [this] { ShowVersion(); };
}

Version::~Version() {
    m_hooks.OnVersionRead = nullptr;
}

void Version::activated() {
    requestSerialNumberAndVersion(m_jobs);
}

void Version::ShowVersion() {
    m_serialNumber->setText(serialNumberText(m_answers.SerialNumber));
    m_version->setText(softwareVersionText(m_answers.SoftwareVersion));
}
