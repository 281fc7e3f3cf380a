#pragma once

#include "link/LinkView.h"

#include <QStringList>

// Remembers every message the program wanted to show.
class RecordingView : public LinkView {
public:
    void ShowMessage(const QString& text, const QString& title, MessageIcon icon) override {
        messages.append(text);
        titles.append(title);
        icons.append(icon);
    }
    QString last() const { return messages.isEmpty() ? QString() : messages.last(); }
    void clear() {
        messages.clear();
        titles.clear();
        icons.clear();
    }

    QStringList messages;
    QStringList titles;
    QList<MessageIcon> icons;
};
