#include "MessageQueue.h"

#include <QMessageBox>

namespace {
QMessageBox::Icon boxIcon(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Critical:
        return QMessageBox::Critical;
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Question:
        return QMessageBox::Question;
    case MessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}
} // namespace

void MessageQueue::ShowMessage(const QString& text, const QString& title, MessageIcon icon) {
    m_queue.enqueue({text, title, icon});
    if (!m_open)
        showNext();
}

void MessageQueue::showNext() {
    if (m_queue.isEmpty())
        return;
    const Message message = m_queue.dequeue();
    auto* box = new QMessageBox(boxIcon(message.icon), message.title, message.text, QMessageBox::Ok,
                                m_window);
    box->setObjectName("MessageBox");
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::ApplicationModal);
    connect(box, &QMessageBox::finished, this, [this] {
        m_open = nullptr;
        showNext();
    });
    m_open = box;
    box->open();
    emit messageShown(message.text, message.title);
}
