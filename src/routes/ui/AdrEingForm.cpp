#include "AdrEingForm.h"

#include "platform/DigitText.h"
#include "routes/NumberText.h"
#include "widgets/FieldText.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {
constexpr int OptionsPerRow = 2;
} // namespace

AdrEingForm::AdrEingForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("AdrEingForm"));
    setWindowTitle(QStringLiteral("Adresseingabe"));

    auto* frames = new QVBoxLayout;
    frames->addWidget(addFrame(AccessoryFrame, QStringLiteral("Magnetartikel"),
                               QStringLiteral("MagFrame"), QStringLiteral("Adresse:"),
                               QStringLiteral("MagAdrTxt"), 4, QStringLiteral("MagOpt"),
                               {QStringLiteral("rot"), QStringLiteral("grün")}));
    frames->addWidget(addFrame(FeedbackFrame, QStringLiteral("Rückmeldungen:"),
                               QStringLiteral("RmFrame"), QStringLiteral("Adresse:"),
                               QStringLiteral("RmAdrTxt"), 4, QStringLiteral("RmOpt"),
                               {QStringLiteral("frei"), QStringLiteral("belegt")}));
    frames->addWidget(addFrame(RouteFrame, QStringLiteral("Fahrstraße:"), QStringLiteral("FSFrame"),
                               QStringLiteral("Nummer:"), QStringLiteral("FSAdrTxt"), 3,
                               QStringLiteral("FSOpt"),
                               {QStringLiteral("blockieren"), QStringLiteral("freigeben"),
                                QStringLiteral("anforden"), QStringLiteral("auflösen")}));
    frames->addWidget(addFrame(PauseFrame, QStringLiteral("Pause:"), QStringLiteral("PauFrame"),
                               QStringLiteral("Sekunden:"), QStringLiteral("PauTxt"), 4, {}, {}));
    frames->addStretch();

    auto* buttons = new QVBoxLayout;
    struct Button {
        const char* name;
        const char* text;
        int result;
    };
    const Button buttonList[] = {{"OKButton", "ändern", DialogChange},
                                 {"einf_but", "einfügen", DialogInsert},
                                 {"clr_but", "löschen", DialogDelete},
                                 {"CancelButton", "Abbrechen", DialogCancel}};
    for (const Button& b : buttonList) {
        auto* button = new QPushButton(QString::fromUtf8(b.text), this);
        button->setObjectName(QString::fromLatin1(b.name));
        button->setAutoDefault(false);
        button->setDefault(b.result == DialogChange);
        connect(button, &QPushButton::clicked, this, [this, result = b.result] { done(result); });
        buttons->addWidget(button);
    }
    buttons->addStretch();

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(frames, 1);
    layout->addLayout(buttons);
}

QGroupBox* AdrEingForm::addFrame(Frame frame, const QString& caption, const QString& boxName,
                                 const QString& label, const QString& textName, int typedLength,
                                 const QString& optionName, const QStringList& options) {
    FrameFields& fields = m_frames[frame];
    fields.box = new QGroupBox(caption, this);
    fields.box->setObjectName(boxName);
    auto* grid = new QGridLayout(fields.box);

    auto* labelWidget = new QLabel(label, fields.box);
    fields.text = new QLineEdit(fields.box);
    fields.text->setObjectName(textName);
    fields.text->setMaxLength(typedLength);
    fields.typedLength = typedLength;
    labelWidget->setBuddy(fields.text);
    grid->addWidget(labelWidget, 0, 0);
    grid->addWidget(fields.text, 0, 1);
    connect(fields.text, &QLineEdit::textEdited, this, [this, frame] { onTextEdited(frame); });

    if (!options.isEmpty()) {
        fields.options = new QButtonGroup(this);
        for (int i = 0; i < options.size(); ++i) {
            auto* option = new QRadioButton(options[i], fields.box);
            option->setObjectName(optionName + u'_' + QString::number(i));
            fields.options->addButton(option, i);
            grid->addWidget(option, 1 + i / OptionsPerRow, i % OptionsPerRow);
        }
        connect(fields.options, &QButtonGroup::buttonClicked, this,
                [this, frame] { clearOtherFrames(frame); });
    }
    return fields.box;
}

void AdrEingForm::openWith(const RouteEntry& entry, bool full) {
    m_frames[RouteFrame].box->setVisible(full);
    m_frames[PauseFrame].box->setVisible(full);
    fill(AccessoryFrame, entry.accessoryAddress, entry.accessoryDirection);
    fill(FeedbackFrame, entry.feedbackAddress, entry.feedbackState);
    fill(RouteFrame, entry.routeNumber, entry.routeAction);
    fill(PauseFrame, entry.pauseSeconds, -1);
    layout()->activate();
    resize(width(), qMax(full ? FullHeight : ReducedHeight, minimumSizeHint().height()));
    show();
    raise();
    activateWindow();
    m_frames[AccessoryFrame].text->setFocus();
}

RouteEntry AdrEingForm::entry() const {
    RouteEntry entry;
    entry.accessoryAddress = m_frames[AccessoryFrame].text->text();
    entry.accessoryDirection = choiceOf(AccessoryFrame);
    entry.feedbackAddress = m_frames[FeedbackFrame].text->text();
    entry.feedbackState = choiceOf(FeedbackFrame);
    entry.routeNumber = m_frames[RouteFrame].text->text();
    entry.routeAction = choiceOf(RouteFrame);
    entry.pauseSeconds = m_frames[PauseFrame].text->text();
    return entry;
}

void AdrEingForm::fill(Frame frame, const QString& text, int choice) {
    const FrameFields& fields = m_frames[frame];
    showFieldText(fields.text, text, fields.typedLength);
    if (fields.options)
        choose(fields.options, choice);
}

void AdrEingForm::onTextEdited(Frame frame) {
    QLineEdit* field = m_frames[frame].text;
    if (field->text().isEmpty())
        return;
    const QString digits = digitsOnly(field->text());
    if (digits != field->text())
        field->setText(digits);
    clearOtherFrames(frame);
}

void AdrEingForm::clearOtherFrames(Frame frame) {
    for (int other = 0; other < FrameCount; ++other) {
        if (other == frame)
            continue;
        m_frames[other].text->clear();
        if (m_frames[other].options)
            choose(m_frames[other].options, -1);
    }
}

void AdrEingForm::choose(QButtonGroup* options, int choice) {
    // An exclusive group cannot turn its last button off.
    options->setExclusive(false);
    for (QAbstractButton* button : options->buttons())
        button->setChecked(options->id(button) == choice);
    options->setExclusive(true);
}

int AdrEingForm::choiceOf(Frame frame) const {
    const QButtonGroup* options = m_frames[frame].options;
    return options ? options->checkedId() : -1;
}
