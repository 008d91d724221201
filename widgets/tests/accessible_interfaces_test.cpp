// The shared accessible interfaces as a screen reader meets them: ours only where they are meant, and what Qt's
// own offer kept beside them.
#include "accessible_interfaces.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

QAccessibleInterface* accessibleOf(QObject* object)
{
    return QAccessible::queryAccessibleInterface(object);
}

// Each child of `parent` as "role name", with its access key where it has one.
QStringList childrenOf(QAccessibleInterface* parent)
{
    QStringList children;
    for (int i = 0; i < parent->childCount(); ++i) {
        QAccessibleInterface* child = parent->child(i);
        QString said = u"%1 %2"_s.arg(child->role()).arg(child->text(QAccessible::Name));
        if (const QString key = child->text(QAccessible::Accelerator); !key.isEmpty())
            said += u" (%1)"_s.arg(key);
        children << said;
    }
    return children;
}

QString said(QAccessible::Role role, const QString& name)
{
    return u"%1 %2"_s.arg(role).arg(name);
}

// What a combo box tells the program, in the order it tells it.
class ComboSignals : public QObject {
public:
    explicit ComboSignals(QComboBox* combo)
    {
        connect(combo, &QComboBox::currentIndexChanged, this, [this](int i) { heard << u"index %1"_s.arg(i); });
        connect(combo, &QComboBox::activated, this, [this](int i) { heard << u"activated %1"_s.arg(i); });
        connect(combo, &QComboBox::textActivated, this, [this](const QString& text) { heard << text; });
    }
    QStringList heard;
};

const QStringList schools{u"Kraanan"_s, u"Shal'ille"_s, u"Faren"_s, u"Weapon Class"_s};

// A shown window with one named combo box of the schools, none chosen.
struct ComboWindow {
    explicit ComboWindow(bool editable)
    {
        combo->setAccessibleName(u"School to raise"_s);
        combo->setEditable(editable);
        combo->addItems(schools);
        combo->setCurrentIndex(-1);
        if (editable)
            combo->setEditText(u"Select School"_s);
        window.show();
    }
    QWidget window;
    QComboBox* combo = new QComboBox(&window);
    QAccessibleInterface* list() const { return accessibleOf(combo)->child(0); }
};

}  // namespace

class AccessibleInterfacesTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { quendrith::installAccessibleInterfaces(); }
    void cleanup()
    {
        QAccessible::setActive(false);
        QVERIFY(QTest::qWaitFor([&] { return QApplication::topLevelWidgets().isEmpty(); }));
    }

    void announcedWindows_data()
    {
        QTest::addColumn<bool>("announced");
        QTest::addColumn<Qt::WindowFlags>("flags");
        QTest::addColumn<int>("role");
        QTest::newRow("window") << true << Qt::WindowFlags(Qt::Window) << int(QAccessible::Window);
        QTest::newRow("tool window") << true << Qt::WindowFlags(Qt::Tool) << int(QAccessible::Window);
        QTest::newRow("dialog") << true << Qt::WindowFlags(Qt::Dialog) << int(QAccessible::Dialog);
        QTest::newRow("not announced: Qt's") << false << Qt::WindowFlags(Qt::Window) << int(QAccessible::Client);
        QTest::newRow("announced, not a window") << true << Qt::WindowFlags() << int(QAccessible::Client);
    }
    void announcedWindows()
    {
        QFETCH(bool, announced);
        QFETCH(Qt::WindowFlags, flags);
        QFETCH(int, role);
        QWidget owner;
        auto* window = new QWidget(&owner, flags);
        if (announced)
            quendrith::announceAsWindow(*window);
        window->setWindowTitle(u"Underworld Map"_s);
        QAccessibleInterface* accessible = accessibleOf(window);
        QCOMPARE(int(accessible->role()), role);
        if (window->isWindow())
            QCOMPARE(accessible->text(QAccessible::Name), u"Underworld Map"_s);
    }

    void readOnlyBoxes_data()
    {
        QTest::addColumn<bool>("readOnly");
        QTest::addColumn<bool>("listening");
        QTest::newRow("read-only") << true << false;
        QTest::newRow("read-only, made while a screen reader listens") << true << true;
        QTest::newRow("editable: Qt's") << false << false;
        QTest::newRow("editable: Qt's, made while a screen reader listens") << false << true;
    }
    void readOnlyBoxes()
    {
        QFETCH(bool, readOnly);
        QFETCH(bool, listening);
        QAccessible::setActive(listening);
        QWidget window;
        auto* edit = new QLineEdit(u"4, 3."_s, &window);
        edit->setReadOnly(readOnly);
        window.show();
        QAccessibleInterface* accessible = accessibleOf(edit);
        QCOMPARE(accessible->role(), QAccessible::EditableText);
        QCOMPARE(accessible->state().readOnly, readOnly);
        QCOMPARE(accessible->state().editable, !readOnly);
        QCOMPARE(accessible->text(QAccessible::Value), u"4, 3."_s);
        QVERIFY(accessible->textInterface() != nullptr);
        // Nothing for a screen reader to type into a read-only box.
        QCOMPARE(accessible->editableTextInterface() == nullptr, readOnly);
    }

    // Where the interface says a character is, Qt's edit must find that character.
    void readOnlyTextIsWhereItIsDrawn_data()
    {
        QTest::addColumn<Qt::Alignment>("alignment");
        QTest::addColumn<bool>("frame");
        QTest::newRow("left, framed") << Qt::Alignment(Qt::AlignLeft) << true;
        QTest::newRow("centred, framed") << Qt::Alignment(Qt::AlignCenter) << true;
        QTest::newRow("centred, no frame") << Qt::Alignment(Qt::AlignCenter) << false;
        QTest::newRow("right, framed") << Qt::Alignment(Qt::AlignRight) << true;
    }
    void readOnlyTextIsWhereItIsDrawn()
    {
        QFETCH(Qt::Alignment, alignment);
        QFETCH(bool, frame);
        QWidget window;
        auto* edit = new QLineEdit(u"4, 3, 1."_s, &window);
        edit->setReadOnly(true);
        edit->setAlignment(alignment);
        edit->setFrame(frame);
        edit->setGeometry(10, 10, 120, 24);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QAccessibleTextInterface* text = accessibleOf(edit)->textInterface();
        QCOMPARE(text->characterCount(), 8);
        QCOMPARE(text->text(3, 5), u"3,"_s);
        int previousLeft = -1;
        for (int i = 0; i < text->characterCount(); ++i) {
            const QRect box = text->characterRect(i);
            QVERIFY2(QRect(edit->mapToGlobal(QPoint(0, 0)), edit->size()).contains(box),
                     qPrintable(QString::number(i)));
            QVERIFY(box.left() > previousLeft);
            previousLeft = box.left();
            QCOMPARE(text->offsetAtPoint(box.center()), i);
        }
        QCOMPARE(text->characterRect(8), QRect());

        text->setSelection(0, 1, 4);
        QCOMPARE(edit->selectedText(), u", 3"_s);
        int start = -1;
        int end = -1;
        text->selection(0, &start, &end);
        QCOMPARE(QPair(start, end), QPair(1, 4));
        text->removeSelection(0);
        QCOMPARE(text->selectionCount(), 0);
    }

    void comboBoxes_data()
    {
        QTest::addColumn<bool>("editable");
        QTest::addColumn<QString>("value");
        QTest::newRow("editable") << true << u"Select School"_s;
        QTest::newRow("drop-down list") << false << QString();
    }
    void comboBoxes()
    {
        QFETCH(bool, editable);
        QFETCH(QString, value);
        ComboWindow w(editable);
        QAccessibleInterface* accessible = accessibleOf(w.combo);
        QCOMPARE(accessible->role(), QAccessible::ComboBox);
        QCOMPARE(accessible->text(QAccessible::Name), u"School to raise"_s);
        QCOMPARE(accessible->text(QAccessible::Value), value);
        QCOMPARE(accessible->childCount(), editable ? 2 : 1);
        QAccessibleInterface* list = accessible->child(0);
        QCOMPARE(list->role(), QAccessible::List);
        QCOMPARE(accessible->indexOfChild(list), 0);
        QStringList items;
        for (const QString& school : schools)
            items << said(QAccessible::ListItem, school);
        QCOMPARE(childrenOf(list), items);
        if (editable) {
            QAccessibleInterface* field = accessible->child(1);
            QCOMPARE(field->role(), QAccessible::EditableText);
            QCOMPARE(accessible->indexOfChild(field), 1);
            QCOMPARE(accessible->focusChild(), field);
        }
        QVERIFY(accessible->state().expandable);
        QCOMPARE(accessible->state().editable, editable);

        QCOMPARE(accessible->actionInterface()->actionNames(),
                 (QStringList{QAccessibleActionInterface::showMenuAction(), QAccessibleActionInterface::pressAction(),
                              QAccessibleActionInterface::setFocusAction()}));
        QVERIFY(accessible->state().collapsed && !accessible->state().expanded);
        accessible->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QVERIFY(w.combo->view()->isVisible());
        QVERIFY(accessible->state().expanded && !accessible->state().collapsed);
        accessible->actionInterface()->doAction(QAccessibleActionInterface::showMenuAction());
        QVERIFY(QTest::qWaitFor([&] { return !w.combo->view()->isVisible(); }));

        // The chosen school, however chosen, is the value and the one item selected.
        w.combo->setCurrentIndex(2);
        QCOMPARE(accessible->text(QAccessible::Value), u"Faren"_s);
        for (int i = 0; i < schools.size(); ++i)
            QCOMPARE(list->child(i)->state().selected, i == 2);
    }

    // Made while a screen reader listens, a box makes its list only once the list is asked for, as with Qt's own
    // interface: start-up does not pay for lists nobody opens. Qt 6.4 makes the list only then; Qt 6.8 makes it
    // as soon as items are added, and then the interface must not make another.
    void listsAreMadeWhenAskedFor()
    {
        QAccessible::setActive(true);
        QWidget window;
        auto* combo = new QComboBox(&window);
        combo->setAccessibleName(u"Strength"_s);
        combo->addItems(schools);
        const QList<QAbstractItemView*> madeByQt = combo->findChildren<QAbstractItemView*>();
        QCOMPARE(accessibleOf(combo)->text(QAccessible::Name), u"Strength"_s);
        QCOMPARE(combo->findChildren<QAbstractItemView*>(), madeByQt);
        QCOMPARE(accessibleOf(combo)->child(0)->childCount(), schools.size());
    }

    // In an editable box and in a drop-down list, with the list closed and with it open.
    void pickingAnItemIsAClick()
    {
        for (const bool editable : {true, false}) {
            ComboWindow clicked(editable);
            QVERIFY(QTest::qWaitForWindowExposed(&clicked.window));
            const ComboSignals byMouse(clicked.combo);
            clicked.combo->showPopup();
            QAbstractItemView* view = clicked.combo->view();
            QVERIFY(QTest::qWaitForWindowExposed(view));
            const QModelIndex faren = view->model()->index(2, 0);
            QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(faren).center());
            QVERIFY(QTest::qWaitFor([&] { return !view->isVisible(); }));
            QCOMPARE(clicked.combo->currentText(), u"Faren"_s);

            for (const bool listOpen : {false, true}) {
                ComboWindow picked(editable);
                const ComboSignals byScreenReader(picked.combo);
                QAccessibleInterface* accessible = accessibleOf(picked.combo);
                if (listOpen)
                    accessible->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
                QAccessibleInterface* item = accessible->child(0)->child(2);
                QVERIFY(item->actionInterface()->actionNames().contains(QAccessibleActionInterface::toggleAction()));
                item->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
                QCOMPARE(byScreenReader.heard, byMouse.heard);
                QCOMPARE(picked.combo->currentText(), u"Faren"_s);
                QCOMPARE(accessible->text(QAccessible::Value), u"Faren"_s);
                QVERIFY(QTest::qWaitFor([&] { return !picked.combo->view()->isVisible(); }));
            }
        }
    }

    // Moving through the open list with the mouse or the keys chooses nothing until a click or Enter.
    void movingThroughTheListPicksNothing()
    {
        ComboWindow w(false);
        QVERIFY(QTest::qWaitForWindowExposed(&w.window));
        const ComboSignals heard(w.combo);
        QAccessibleInterface* list = w.list();
        w.combo->showPopup();
        QAbstractItemView* view = w.combo->view();
        QVERIFY(QTest::qWaitForWindowExposed(view));
        QTest::keyClick(view, Qt::Key_Down);
        QTest::keyClick(view, Qt::Key_Down);
        QTest::mouseMove(view->viewport(), view->visualRect(view->model()->index(3, 0)).center());
        QVERIFY(list->child(3)->state().selected || list->child(1)->state().selected);
        QCOMPARE(heard.heard, QStringList());
        QTest::keyClick(view, Qt::Key_Escape);
        QVERIFY(QTest::qWaitFor([&] { return !view->isVisible(); }));
        QCOMPARE(heard.heard, QStringList());
        QCOMPARE(w.combo->currentIndex(), -1);
    }
};

QTEST_MAIN(AccessibleInterfacesTest)
#include "accessible_interfaces_test.moc"
