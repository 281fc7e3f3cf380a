#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

class HelpWindow;
class QWidget;

// Opens the help window from the menus and with F1 in every window of the
// program. F1 acts when the key is let go, so its press stays free for the
// throttles. A window already open is only brought to the front.
class HelpKey : public QObject {
    Q_OBJECT
public:
    HelpKey(QString helpFile, QWidget* owner);

    void open();
    HelpWindow* window() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QString m_helpFile;
    QWidget* m_owner;
    QPointer<HelpWindow> m_window;
};
