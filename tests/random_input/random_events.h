// One random event at a time, as a user makes it and the platform delivers it: clicks at random points of the
// windows shown, keys, and odd texts typed, pasted or committed by an input method into whatever has the focus.
#pragma once

#include <QList>
#include <QPoint>
#include <QRect>
#include <QString>

#include <functional>
#include <random>

class QWidget;

namespace randominput {

// std::mt19937_64 gives the same numbers on every platform, so a seed means the same input everywhere.
class Random {
public:
    explicit Random(quint64 seed) : engine(seed) { }
    int below(qsizetype count) { return count <= 1 ? 0 : static_cast<int>(engine() % static_cast<quint64>(count)); }
    bool percent(int chance) { return below(100) < chance; }
    template <typename T> T pick(const QList<T>& list) { return list.at(below(list.size())); }
    QPoint pointIn(const QRect& area) { return {area.x() + below(area.width()), area.y() + below(area.height())}; }

private:
    std::mt19937_64 engine;
};

// Shown windows, tool tips aside, in an order that does not depend on where they happen to be allocated.
QList<QWidget*> visibleWindows();

class EventSender {
public:
    // noteEvent hears of each event before it is sent; noteActivated of each window it activates, which the window
    // system makes the active one a moment later.
    EventSender(quint64 seed, std::function<void(const QString&)> noteEvent,
                std::function<void(QWidget*)> noteActivated);

    // An event of any kind; popup and dialog are the popup and the modal dialog in front, where one is open.
    void sendRandom(QWidget* popup, QWidget* dialog);
    // Enter, Escape or a click on one of the dialog's buttons.
    void answer(QWidget* dialog);
    void escape();

private:
    void clickSomewhere(QWidget* popup, QWidget* dialog);
    void click(QWidget* window, QPoint at, Qt::MouseButton button, bool twice);
    void hover();
    void key(int code, Qt::KeyboardModifiers modifiers, const QString& text, const QString& name);
    void pressAccessKey(QWidget* popup);
    void editingKey();
    void otherKey();
    void typeText();
    void activateAWindow(QWidget* dialog);
    void closeAWindow(QWidget* popup, QWidget* dialog);

    Random random;
    std::function<void(const QString&)> note;
    std::function<void(QWidget*)> activated;
    int timestamp = 0;
};

}  // namespace randominput
