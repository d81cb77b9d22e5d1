// No text the program shows is cut: every window, both themes, both toolbar orientations.
#include "UiFixture.h"
#include "ViewText.h"
#include "WindowTour.h"

#include "ui/shell/AppStyle.h"
#include "ui/MainWindows.h"
#include "ui/shell/QtText.h"
#include "ui/shell/Translations.h"
#include "ui/order/ReportsWindow.h"
#include "ui/browsers/BrowserGrids.h"
#include "ui/widgets/GridView.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QStyleOptionComboBox>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QToolTip>
#include <QTreeView>
#include <QtTest>

namespace
{
QString Plain(QString text)
{
    return text.remove(QLatin1Char('&'));
}

// Texts of one window that need more room than they have, as "kind 'text' needs N has M".
class CCutTexts
{
public:
    void Walk(QWidget* window, const QString& where)
    {
        m_where = where;
        if (auto* main = qobject_cast<QMainWindow*>(window); main && main->menuWidget())
        {
            auto* bar = qobject_cast<QMenuBar*>(main->menuWidget());
            if (bar && bar->sizeHint().width() > bar->width())
                Cut("menu bar", QString(), bar->sizeHint().width(), bar->width());
        }
        for (QWidget* widget : window->findChildren<QWidget*>())
        {
            if (!widget->isVisibleTo(window) || widget->window() != window)
                continue;
            const QFontMetrics metrics = widget->fontMetrics();
            if (auto* label = qobject_cast<QLabel*>(widget))
            {
                if (label->text().isEmpty() || label->textFormat() == Qt::RichText)
                    continue;
                if (label->wordWrap())
                {
                    const QRect room = label->contentsRect();
                    const int lines = metrics.boundingRect(QRect(0, 0, room.width(), 100000),
                                                           Qt::TextWordWrap | int(label->alignment()), label->text()).height();
                    if (lines > room.height())
                        Cut("wrapped label", label->text().left(40), lines, room.height());
                    continue;
                }
                int width = 0;
                for (const QString& line : label->text().split(QLatin1Char('\n')))
                    width = std::max(width, metrics.horizontalAdvance(Plain(line)));
                if (width > label->contentsRect().width())
                    Cut("label", label->text(), width, label->contentsRect().width());
            }
            else if (auto* button = qobject_cast<QAbstractButton*>(widget))
            {
                if (!button->text().isEmpty() && button->sizeHint().width() > button->width())
                    Cut("button", button->text(), button->sizeHint().width(), button->width());
                if (!button->text().isEmpty() && metrics.height() > button->height())
                    Cut("button height", button->text(), metrics.height(), button->height());
            }
            else if (auto* combo = qobject_cast<QComboBox*>(widget))
            {
                QStyleOptionComboBox option;
                option.initFrom(combo);
                const QRect field = combo->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                                   QStyle::SC_ComboBoxEditField, combo);
                const int width = metrics.horizontalAdvance(combo->currentText());
                if (width > field.width())
                    Cut("combo box", combo->currentText(), width, field.width());
                if (metrics.height() > field.height())
                    Cut("combo box height", combo->currentText(), metrics.height(), field.height());
            }
            else if (auto* box = qobject_cast<QGroupBox*>(widget))
            {
                const int width = metrics.horizontalAdvance(Plain(box->title())) + 16;
                if (width > box->width())
                    Cut("group box", box->title(), width, box->width());
            }
            else if (auto* tabs = qobject_cast<QTabBar*>(widget))
            {
                const int space = tabs->style()->pixelMetric(QStyle::PM_TabBarTabHSpace, nullptr, tabs);
                for (int i = 0; i < tabs->count(); ++i)
                {
                    const int needs = metrics.horizontalAdvance(Plain(tabs->tabText(i))) + space;
                    if (needs > tabs->tabRect(i).width())
                        Cut("tab", tabs->tabText(i), needs, tabs->tabRect(i).width());
                }
            }
            else if (auto* header = qobject_cast<QHeaderView*>(widget))
                CheckHeader(header);
            else if (auto* view = qobject_cast<QAbstractItemView*>(widget))
                CheckCells(view);
        }
    }

    QStringList found;

private:
    void Cut(const char* kind, const QString& text, int needs, int has)
    {
        found << QStringLiteral("%1: %2 '%3' needs %4 has %5").arg(m_where, QLatin1String(kind), text).arg(needs).arg(has);
    }

    void CheckHeader(QHeaderView* header)
    {
        if (header->orientation() != Qt::Horizontal)
            return;
        QAbstractItemModel* model = header->model();
        for (int section = 0; model && section < header->count(); ++section)
        {
            if (header->isSectionHidden(section))
                continue;
            const QString text = model->headerData(section, Qt::Horizontal).toString();
            const int needs = header->sectionSizeHint(section);
            if (!text.isEmpty() && needs > header->sectionSize(section))
                Cut("header", text, needs, header->sectionSize(section));
        }
    }

    // Every cell of every row, shown or scrolled away (a cell elided is elided wherever it is), but
    // only the expanded branches of a tree.
    void CheckCells(QAbstractItemView* view)
    {
        QAbstractItemModel* model = view->model();
        auto* table = qobject_cast<QTableView*>(view);
        auto* tree = qobject_cast<QTreeView*>(view);
        std::function<void(const QModelIndex&, int)> rows = [&](const QModelIndex& parent, int depth)
        {
            for (int row = 0; row < model->rowCount(parent); ++row)
            {
                if (table && table->isRowHidden(row))
                    continue;
                for (int col = 0; col < model->columnCount(parent); ++col)
                {
                    if ((table && table->isColumnHidden(col)) || (tree && tree->isColumnHidden(col)))
                        continue;
                    const QModelIndex index = model->index(row, col, parent);
                    const QString text = index.data().toString();
                    if (text.isEmpty())
                        continue;
                    QStyleOptionViewItem option;
                    option.initFrom(view);
                    option.font = index.data(Qt::FontRole).isValid() ? index.data(Qt::FontRole).value<QFont>()
                                                                     : view->font();
                    option.fontMetrics = QFontMetrics(option.font);
                    const QSize wants = view->itemDelegateForIndex(index)->sizeHint(option, index);
                    int has = 0;
                    // A cell wider than the whole view can never be read at once.
                    if (table)
                        has = std::min(table->columnWidth(col), table->viewport()->width());
                    else if (tree)
                    {
                        // A row spanning its columns has all of them.
                        const bool spanned = col == 0 && tree->isFirstColumnSpanned(row, parent);
                        has = std::min(spanned ? tree->header()->length() : tree->columnWidth(col),
                                       tree->viewport()->width()) -
                              (col == 0 ? depth * tree->indentation() : 0);
                    }
                    else
                        has = view->viewport()->width();
                    int needs = wants.width();
                    if (table && table->wordWrap())
                    {
                        // A wrapped cell needs only its longest word across, and its lines down.
                        const int margin = 2 * (view->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1);
                        int word = 0;
                        for (const QString& piece : text.split(QLatin1Char(' ')))
                            word = std::max(word, QFontMetrics(option.font).horizontalAdvance(piece));
                        needs = word + margin;
                        const int lines = QFontMetrics(option.font)
                                              .boundingRect(QRect(0, 0, std::max(has - margin, 1), 100000),
                                                            Qt::TextWordWrap, text)
                                              .height();
                        if (lines > table->rowHeight(row))
                            Cut("cell height", text, lines, table->rowHeight(row));
                    }
                    if (needs > has)
                        Cut(table ? "cell" : "item", text, needs, has);
                }
                // A collapsed branch shows nothing, and the column follows what is shown.
                if (tree && tree->isExpanded(model->index(row, 0, parent)))
                    rows(model->index(row, 0, parent), depth + 1);
            }
        };
        if (model)
            rows(view->rootIndex(), tree && tree->rootIsDecorated() ? 1 : 0);
        // A grid's columns all in view: none runs past its right edge.
        if (table && model)
        {
            const int length = table->horizontalHeader()->length();
            if (length > table->viewport()->width())
                Cut("grid columns", model->headerData(0, Qt::Horizontal).toString(), length, table->viewport()->width());
        }
    }

    QString m_where;
};
} // namespace

class ReadableWindowsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QApplication::setStyle(new CAppStyle);
        // The same windows in German (test_ui_readable_de): its longer words must fit as well.
        if (qEnvironmentVariable("MOXA_TEST_LANGUAGE") == QLatin1String("de"))
            QVERIFY(InstallTranslations(QLocale(QLocale::German, QLocale::Germany)));
    }

    // Walks every window of the program on the sample data with the example order open, in
    // both themes and both toolbar orientations, and lists every text that does not fit.
    void NoTextIsCut()
    {
        QStringList cut;
        for (const char* theme : {"desktop_native.xml", "dark_slate.xml"})
            for (const bool vertical : {true, false})
            {
                CUiFixture fixture;
                auto app = fixture.MakeApp();
                app->Start(nullptr);
                RegisterOrderWindows();
                app->Settings().CurrentTheme = theme;
                app->Settings().VerticalToolbar = vertical;
                app->Settings().DockingMode = true;
                app->Settings().GlobalHotkeys = false;
                app->ReloadTheme();
                app->Order().Read(fixture.folder / "Orders/example_order.xml", app->Database());
                CToolbarWindow toolbar(*app);
                toolbar.Initialise();
                CWindowTour tour(*app, toolbar);
                for (const std::string& scene : TourScenes())
                {
                    const std::vector<QWidget*> windows = tour.Show(scene);
                    QApplication::processEvents();
                    CCutTexts texts;
                    for (QWidget* window : windows)
                    {
                        const QString where = QStringLiteral("%1 %2 %3 %4").arg(
                            QLatin1String(theme), QLatin1String(vertical ? "vertical" : "horizontal"),
                            QString::fromStdString(scene), window->windowTitle());
                        texts.Walk(window, where);
                        // Every page of a tabbed window.
                        for (QTabWidget* pages : window->findChildren<QTabWidget*>())
                        {
                            for (int page = 1; page < pages->count(); ++page)
                            {
                                pages->setCurrentIndex(page);
                                QApplication::processEvents();
                                texts.Walk(window, where + QLatin1Char(' ') + pages->tabText(page));
                            }
                            pages->setCurrentIndex(0);
                        }
                    }
                    cut << texts.found;
                }
                // Narrowed by the player, a report cell is elided and its tooltip holds the whole text.
                CToolWindow* reports = toolbar.Window(EToolWindow::Reports);
                tour.Show("reports");
                auto* grid = reports->findChild<CGridView*>();
                grid->setColumnWidth(0, 30);
                const QRect cell = grid->visualRect(grid->model()->index(0, 0));
                QHelpEvent help(QEvent::ToolTip, cell.center(), grid->viewport()->mapToGlobal(cell.center()));
                QApplication::sendEvent(grid->viewport(), &help);
                if (QToolTip::text() != Cell(grid, 0))
                    cut << QStringLiteral("no tooltip for the elided report cell '%1'").arg(Cell(grid, 0));
                QToolTip::hideText();
            }
        for (const QString& line : cut)
            qWarning("%s", qPrintable(line));
        QVERIFY2(cut.isEmpty(), "texts are cut (listed above)");
    }

    // Heading rows are the grids' headers: in view however far the rows scroll, never selected.
    void HeadingsStayInViewAndAreNotSelected()
    {
        CUiFixture fixture;
        auto app = fixture.MakeApp();
        app->Start(nullptr);
        RegisterOrderWindows();
        app->Settings().GlobalHotkeys = false;
        app->Order().Read(fixture.folder / "Orders/example_order.xml", app->Database());
        CToolbarWindow toolbar(*app);
        toolbar.Initialise();
        CWindowTour tour(*app, toolbar);
        tour.Show("reports");
        auto* report = static_cast<CReportsWindow*>(toolbar.Window(EToolWindow::Reports))->Grid();
        tour.Show("guide");
        auto* formulae = static_cast<CFormulaWindow*>(toolbar.Window(EToolWindow::Formulae));
        auto* guide = formulae->findChild<CEfficiencyGuideWindow*>()->findChild<CGridView*>();
        const struct
        {
            CGridView* grid;
            QStringList heading;
        } grids[] = {{report, {QStringLiteral("Craft Item"), QStringLiteral("Batches"), QStringLiteral("Techniques")}},
                     {formulae->TiersGrid(), {QStringLiteral("Tiers")}},
                     {guide, {QStringLiteral("Skill"), QStringLiteral("Qty/Batch"), QStringLiteral("Effiency")}}};
        for (const auto& [grid, heading] : grids)
        {
            grid->window()->show();
            QApplication::processEvents();
            QStringList shown;
            for (int col = 0; col < heading.size(); ++col)
                shown << grid->model()->headerData(col, Qt::Horizontal).toString();
            QCOMPARE(shown, heading);
            QVERIFY(grid->horizontalHeader()->isVisible());
            // Up from the first row and Ctrl+Home stay on it; the top line shows it.
            grid->setFocus();
            grid->setCurrentIndex(grid->model()->index(0, 0));
            QTest::keyClick(grid, Qt::Key_Up);
            QCOMPARE(grid->currentIndex().row(), 0);
            QTest::keyClick(grid, Qt::Key_Home, Qt::ControlModifier);
            QCOMPARE(grid->currentIndex().row(), 0);
            grid->scrollToTop();
            QCOMPARE(grid->rowAt(2), 0);
        }
        // The components' heading halfway down the report cannot be selected either.
        int components = 0;
        while (components < RowCount(report) && Cell(report, components) != QStringLiteral("Component Name"))
            ++components;
        QVERIFY(components < RowCount(report));
        QVERIFY(!(report->model()->index(components, 0).flags() & Qt::ItemIsSelectable));
    }
};

QTEST_MAIN(ReadableWindowsTest)
#include "ReadableWindowsTest.moc"
