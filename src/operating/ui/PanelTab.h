#pragma once

#include <QWidget>

class QComboBox;
class QLabel;
class QVBoxLayout;

// What the keyboard, feedback and memory tabs share: the list that chooses
// the page of 16, the range the page covers, and 16 framed places for the
// lamps and keys of each object on the page.
class PanelTab : public QWidget {
    Q_OBJECT
public:
    static constexpr int Places = 16;

    QComboBox* pageList() const { return m_pages; }

protected:
    // firstShape: the number of the first of this tab's 16 frames.
    PanelTab(const QString& pageListName, const QString& rangeName, const QStringList& pages,
             int firstShape, QWidget* parent);

    // The column inside the frame of place 0..15.
    QVBoxLayout* place(int index) const { return m_places[index]; }
    void showRange(int base);
    // The user chose a page from the list, the one shown or another.
    virtual void pageChosen(int index) = 0;

private:
    QComboBox* m_pages;
    QLabel* m_range;
    QVBoxLayout* m_places[Places];
};

// "KB_rot_5"
QString indexedName(const char* name, int index);
