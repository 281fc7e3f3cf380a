#pragma once

#include "routes/RouteEntry.h"

#include <QDialog>
#include <array>

class QButtonGroup;
class QGroupBox;
class QLineEdit;

// "Adresseingabe": enters one route command or trigger. It is shown
// without blocking the program; finished(int) reports how it was ended
// (a DialogResult). The full height holds all four frames, the reduced one
// only the accessory and feedback frames a trigger can name.
class AdrEingForm : public QDialog {
    Q_OBJECT
public:
    static constexpr int FullHeight = 368;    // pixels
    static constexpr int ReducedHeight = 181; // pixels

    explicit AdrEingForm(QWidget* parent = nullptr);

    void openWith(const RouteEntry& entry, bool full);
    RouteEntry entry() const;

    // "Abbrechen", Escape and closing the window.
    void reject() override { done(DialogCancel); }

private:
    enum Frame { AccessoryFrame, FeedbackFrame, RouteFrame, PauseFrame, FrameCount };
    struct FrameFields {
        QGroupBox* box = nullptr;
        QLineEdit* text = nullptr;
        int typedLength = 0;
        QButtonGroup* options = nullptr;
    };

    QGroupBox* addFrame(Frame frame, const QString& caption, const QString& boxName,
                        const QString& label, const QString& textName, int typedLength,
                        const QString& optionName, const QStringList& options);
    void fill(Frame frame, const QString& text, int choice);
    // The dialog holds one command at a time: typing or choosing in one
    // frame clears the others.
    void onTextEdited(Frame frame);
    void clearOtherFrames(Frame frame);
    static void choose(QButtonGroup* options, int choice);
    int choiceOf(Frame frame) const;

    std::array<FrameFields, FrameCount> m_frames;
};
