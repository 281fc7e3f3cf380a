#pragma once

#include "link/LinkView.h"

#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <QQueue>

class QWidget;

// Shows the program's messages one at a time, modal to the user but without
// blocking the event loop: the ticks, the receiver and the route engine go on
// while a box is open, and nothing is dispatched from inside a box.
class MessageQueue : public QObject, public LinkView {
    Q_OBJECT
public:
    explicit MessageQueue(QObject* parent = nullptr) : QObject(parent) {}
    void setParentWindow(QWidget* window) { m_window = window; }

    void ShowMessage(const QString& text, const QString& title, MessageIcon icon) override;

    int pending() const { return m_queue.size() + (m_open ? 1 : 0); }
    QMessageBox* openBox() const { return m_open; }

signals:
    void messageShown(const QString& text, const QString& title);

private:
    struct Message {
        QString text;
        QString title;
        MessageIcon icon;
    };
    void showNext();

    QQueue<Message> m_queue;
    QPointer<QMessageBox> m_open;
    QPointer<QWidget> m_window;
};
