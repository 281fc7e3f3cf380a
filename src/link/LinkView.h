#pragma once

#include <QString>

enum class MessageIcon { None, Critical, Information, Question };

// What the link tells the user. A window implements it; tests fake it.
// Showing a message never stops the link: the window queues the boxes.
class LinkView {
public:
    virtual ~LinkView() = default;
    virtual void ShowMessage(const QString& text, const QString& title, MessageIcon icon) = 0;
};
