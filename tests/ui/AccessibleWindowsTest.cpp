// What a screen reader and a keyboard meet in every window and dialog: each control that takes
// focus has a name, and Tab goes through the controls in reading order.
#include "UiFixture.h"
#include "WindowTour.h"

#include "ui/MainWindows.h"
#include "ui/order/ReportsPlan.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLayout>
#include <QTabWidget>
#include <QtTest>

namespace
{
QRect Area(const QWidget* widget, const QWidget* window)
{
    return QRect(widget->mapTo(window, QPoint(0, 0)), widget->size());
}

QString Describe(QWidget* widget, const QWidget* window)
{
    const QRect area = Area(widget, window);
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
    return QStringLiteral("%1 '%2' at %3,%4")
        .arg(QLatin1String(widget->metaObject()->className()), face ? face->text(QAccessible::Name) : QString())
        .arg(area.x())
        .arg(area.y());
}

bool Focusable(const QWidget* widget, const QWidget* window)
{
    if (widget->window() != window || !widget->isVisibleTo(window) || !(widget->focusPolicy() & Qt::TabFocus))
        return false;
    // Focus handed on (a tab widget's to its bar, a spin box's editor to the spin box) is
    // read where it lands.
    return !widget->focusProxy();
}

bool LabelledByBuddy(const QWidget* widget)
{
    for (const QLabel* label : widget->window()->findChildren<QLabel*>())
        if (label->buddy() == widget)
            return true;
    return false;
}

// The controls of a window that take focus (when enabled) and that a screen reader reads
// without a name, and the labels that do not name the field after them.
QStringList Unnamed(QWidget* window, const QString& where)
{
    QStringList found;
    for (QWidget* widget : window->findChildren<QWidget*>())
    {
        if (!Focusable(widget, window))
            continue;
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
        bool named = face && !face->text(QAccessible::Name).trimmed().isEmpty();
        // On Linux a combo box's name is its current choice: its label or a name of its own is
        // what tells what it chooses.
        if (qobject_cast<QComboBox*>(widget))
            named = !widget->accessibleName().isEmpty() || LabelledByBuddy(widget);
        if (!named)
            found << QStringLiteral("%1: no name for %2").arg(where, Describe(widget, window));
    }
    // A one-line label laid out just before a field names it, so the field is its buddy;
    // wrapped texts and framed status lines only describe.
    for (QLayout* layout : window->findChildren<QLayout*>())
        for (int i = 0; i + 1 < layout->count(); ++i)
        {
            auto* label = qobject_cast<QLabel*>(layout->itemAt(i)->widget());
            QWidget* field = layout->itemAt(i + 1)->widget();
            if (label && !label->text().isEmpty() && !label->text().contains(QLatin1Char('\n')) &&
                !label->wordWrap() && label->frameShape() == QFrame::NoFrame && field && Focusable(field, window) &&
                !qobject_cast<QAbstractButton*>(field) && label->buddy() != field)
                found << QStringLiteral("%1: the label '%2' is not the buddy of %3")
                             .arg(where, label->text(), Describe(field, window));
        }
    return found;
}

// Steps of the Tab cycle that go back against reading order: up within a column, left within
// a row, or up and left at once. One of them is the step from the last control back to the
// first; any other is a fault. Moving on to the next column or the next row is reading on.
QStringList AgainstReading(QWidget* window, const QString& where)
{
    QList<QWidget*> cycle;
    for (QWidget* widget = window->nextInFocusChain(); widget != window; widget = widget->nextInFocusChain())
        if (Focusable(widget, window) && widget->isEnabled())
            cycle << widget;
    QStringList back;
    for (qsizetype i = 0; cycle.size() > 1 && i < cycle.size(); ++i)
    {
        QWidget* from = cycle[i];
        QWidget* to = cycle[(i + 1) % cycle.size()];
        const QRect a = Area(from, window), b = Area(to, window);
        const bool sameColumn = b.left() < a.right() && a.left() < b.right();
        const bool sameRow = b.top() < a.bottom() && a.top() < b.bottom();
        const bool above = b.bottom() < a.top(), left = b.right() < a.left();
        if ((sameColumn && above) || (sameRow && left) || (above && left))
            back << QStringLiteral("%1: Tab goes back from %2 to %3")
                        .arg(where, Describe(from, window), Describe(to, window));
    }
    return back.size() > 1 ? back : QStringList();
}
} // namespace

class CAccessibleWindowsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Every scene of the tour, every page of its tabbed windows and the comparison of characters.
    void EveryControlIsNamedAndTabbedInReadingOrder()
    {
        CUiFixture fixture;
        auto app = fixture.MakeApp();
        app->Start(nullptr);
        RegisterOrderWindows();
        app->Settings().DockingMode = true;
        app->Settings().GlobalHotkeys = false;
        app->Order().Read(fixture.folder / "Orders/example_order.xml", app->Database());
        CToolbarWindow toolbar(*app);
        toolbar.Initialise();
        CWindowTour tour(*app, toolbar);
        QStringList faults;
        auto check = [&faults](QWidget* window, const QString& where)
        {
            faults << Unnamed(window, where) << AgainstReading(window, where);
        };
        for (const std::string& scene : TourScenes())
        {
            for (QWidget* window : tour.Show(scene))
            {
                QApplication::processEvents();
                const QString where = QString::fromStdString(scene) + QLatin1Char(' ') + window->windowTitle();
                check(window, where);
                for (QTabWidget* pages : window->findChildren<QTabWidget*>())
                {
                    if (pages->window() != window)
                        continue;
                    for (int page = 1; page < pages->count(); ++page)
                    {
                        pages->setCurrentIndex(page);
                        check(window, where + QLatin1Char(' ') + pages->tabText(page));
                    }
                    pages->setCurrentIndex(0);
                }
            }
        }
        tour.Show("reports");
        auto* plan = toolbar.Window(EToolWindow::Reports)->findChild<CReportsPlan*>();
        QVERIFY(plan);
        plan->ShowComparison();
        QApplication::processEvents();
        check(plan->ComparisonDialog(), plan->ComparisonDialog()->windowTitle());
        for (const QString& line : faults)
            qWarning("%s", qPrintable(line));
        QVERIFY2(faults.isEmpty(), "controls without a name or out of reading order (listed above)");
    }
};

QTEST_MAIN(CAccessibleWindowsTest)
#include "AccessibleWindowsTest.moc"
