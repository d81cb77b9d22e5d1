// The German catalogue: complete, its formats and headings shaped as their sources, and every
// window shows it: no English text of the catalogue is left on screen under the translator.
#include "UiFixture.h"
#include "WindowTour.h"

#include "ui/MainWindows.h"
#include "ui/shell/AppStyle.h"
#include "ui/shell/Translations.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QSet>
#include <QTabBar>
#include <QXmlStreamReader>
#include <QtTest>

namespace
{
struct CEntry
{
    QString context;
    QString source;
    QString translation;
    bool finished = true;
};

std::vector<CEntry> ReadCatalogue(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", qPrintable(path));
    QXmlStreamReader xml(&file);
    std::vector<CEntry> entries;
    QString context;
    while (!xml.atEnd())
    {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("name"))
            context = xml.readElementText();
        else if (xml.name() == QLatin1String("source"))
            entries.push_back({context, xml.readElementText(), {}});
        else if (xml.name() == QLatin1String("translation"))
        {
            entries.back().finished = xml.attributes().value(QLatin1String("type")).isEmpty();
            entries.back().translation = xml.readElementText();
        }
    }
    if (xml.hasError())
        qFatal("%s: %s", qPrintable(path), qPrintable(xml.errorString()));
    return entries;
}

// What a text must keep in any language: its printf conversions in order, its %1 arguments,
// its accelerators and its heading cells' alignment marks.
QString Shape(const QString& text)
{
    static const QRegularExpression conversions(QStringLiteral("%[-+#0-9.]*(?:ll|l|h)?[a-zA-Z%]|%[0-9]"));
    QStringList shape;
    for (const QRegularExpressionMatch& match : conversions.globalMatch(text))
        shape << match.captured();
    shape << QString::number(text.count(QLatin1Char('&')));
    if (text.contains(QLatin1Char('|')) || text.startsWith(QLatin1Char('^')) || text.startsWith(QLatin1Char('<')))
        for (const QString& cell : text.split(QLatin1Char('|')))
            shape << cell.left(1).replace(QRegularExpression(QStringLiteral("[^<^]")), QStringLiteral("text"));
    return shape.join(QLatin1Char(' '));
}

QString Plain(QString text)
{
    return text.remove(QLatin1Char('&')).trimmed();
}

// The visible texts of one window: its title, labels, buttons, boxes, tabs, headers, fields'
// placeholders, combo boxes' entries and its menus, each with where it was found.
void CollectTexts(QWidget* window, QList<QPair<QString, QString>>& texts)
{
    const QString where = QString::fromLatin1(window->metaObject()->className());
    texts.append({where + QStringLiteral(" title"), window->windowTitle()});
    std::function<void(QMenu*)> menu = [&](QMenu* m)
    {
        texts.append({where + QStringLiteral(" menu"), m->title()});
        for (QAction* action : m->actions())
        {
            if (action->menu())
                menu(action->menu());
            else if (!action->isSeparator())
                texts.append({where + QStringLiteral(" action"), action->text()});
        }
    };
    for (QMenuBar* bar : window->findChildren<QMenuBar*>())
        for (QAction* action : bar->actions())
            if (action->menu())
                menu(action->menu());
    for (QWidget* widget : window->findChildren<QWidget*>())
    {
        if (!widget->isVisibleTo(window) || widget->window() != window)
            continue;
        if (!widget->toolTip().isEmpty())
            texts.append({where + QStringLiteral(" tooltip"), widget->toolTip()});
        if (auto* label = qobject_cast<QLabel*>(widget))
            texts.append({where + QStringLiteral(" label"), label->text()});
        else if (auto* button = qobject_cast<QAbstractButton*>(widget))
            texts.append({where + QStringLiteral(" button"), button->text()});
        else if (auto* box = qobject_cast<QGroupBox*>(widget))
            texts.append({where + QStringLiteral(" group box"), box->title()});
        else if (auto* tabs = qobject_cast<QTabBar*>(widget))
            for (int i = 0; i < tabs->count(); ++i)
                texts.append({where + QStringLiteral(" tab"), tabs->tabText(i)});
        else if (auto* combo = qobject_cast<QComboBox*>(widget))
            for (int i = 0; i < combo->count(); ++i)
                texts.append({where + QStringLiteral(" combo box"), combo->itemText(i)});
        else if (auto* edit = qobject_cast<QLineEdit*>(widget))
            texts.append({where + QStringLiteral(" placeholder"), edit->placeholderText()});
        else if (auto* header = qobject_cast<QHeaderView*>(widget); header && header->model())
            for (int i = 0; i < header->count(); ++i)
                texts.append({where + QStringLiteral(" header"),
                              header->model()->headerData(i, header->orientation()).toString()});
    }
}
} // namespace

class TranslationTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QApplication::setStyle(new CAppStyle); }

    // Every entry translated, keeping what the program fills in or reads out of it: a format
    // with a conversion of its own would read arguments that are not there.
    void CatalogueIsCompleteAndShapedAsItsSources()
    {
        const std::vector<CEntry> entries = ReadCatalogue(QStringLiteral(MOXA_TS_FILE));
        QVERIFY(entries.size() > 300);
        QStringList faults;
        for (const CEntry& entry : entries)
        {
            if (!entry.finished || entry.translation.isEmpty())
                faults << QStringLiteral("untranslated: %1").arg(entry.source);
            else if (Shape(entry.source) != Shape(entry.translation))
                faults << QStringLiteral("'%1' -> '%2': %3 -> %4")
                              .arg(entry.source, entry.translation, Shape(entry.source), Shape(entry.translation));
            // Written with ISO-8859-1 bytes where the core fills them in.
            if (QString::fromLatin1(entry.translation.toLatin1()) != entry.translation)
                faults << QStringLiteral("not ISO-8859-1: %1").arg(entry.translation);
        }
        for (const QString& fault : faults)
            qWarning("%s", qPrintable(fault));
        QVERIFY2(faults.isEmpty(), "catalogue faults (listed above)");
    }

    // Every window of the program, in German: a text of the catalogue shown in English is one
    // that did not go through the translation.
    void EveryWindowShowsTheTranslation()
    {
        QVERIFY(InstallTranslations(QLocale(QLocale::German, QLocale::Germany)));
        QCOMPARE(QCoreApplication::translate("Messages", "&File"), QStringLiteral("&Datei"));
        // Qt's own buttons come in German too, where Debian's Qt translations are installed.
        if (QFile::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath) + QStringLiteral("/qtbase_de.qm")))
            QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Abbrechen"));

        // The English texts that German changes, whole and as heading cells.
        // A German word that is also an English source ("Profile") is not one left untranslated.
        const std::vector<CEntry> entries = ReadCatalogue(QStringLiteral(MOXA_TS_FILE));
        QSet<QString> german;
        for (const CEntry& entry : entries)
            german.insert(Plain(entry.translation));
        QSet<QString> english;
        for (const CEntry& entry : entries)
        {
            if (Plain(entry.source) == Plain(entry.translation))
                continue;
            english.insert(Plain(entry.source));
            const QStringList cells = entry.source.split(QLatin1Char('|'));
            const QStringList translated = entry.translation.split(QLatin1Char('|'));
            for (int i = 0; i < cells.size() && i < translated.size(); ++i)
                if (cells[i].mid(1) != translated[i].mid(1) && (cells[i].startsWith(QLatin1Char('^')) ||
                                                               cells[i].startsWith(QLatin1Char('<'))))
                    english.insert(cells[i].mid(1));
                else if (cells.size() > 1 && cells[i] != translated[i])
                    english.insert(cells[i]);
        }

        CUiFixture fixture;
        auto app = fixture.MakeApp();
        app->Start(nullptr);
        RegisterOrderWindows();
        app->Settings().GlobalHotkeys = false;
        app->Settings().DockingMode = true;
        app->Order().Read(fixture.folder / "Orders/example_order.xml", app->Database());
        CToolbarWindow toolbar(*app);
        toolbar.Initialise();
        CWindowTour tour(*app, toolbar);
        QStringList untranslated;
        int shown = 0;
        for (const std::string& scene : TourScenes())
        {
            QList<QPair<QString, QString>> texts;
            for (QWidget* window : tour.Show(scene))
                CollectTexts(window, texts);
            for (const auto& [where, text] : std::as_const(texts))
            {
                shown += text.isEmpty() ? 0 : 1;
                // A shortcut's key after a tab is Qt's to name.
                const QString plain = Plain(text.section(QLatin1Char('\t'), 0, 0));
                if (english.contains(plain) && !german.contains(plain))
                    untranslated << QStringLiteral("%1 %2: '%3'").arg(QString::fromStdString(scene), where, text);
            }
        }
        untranslated.removeDuplicates();
        for (const QString& line : std::as_const(untranslated))
            qWarning("%s", qPrintable(line));
        QVERIFY(shown > 300);
        QVERIFY2(untranslated.isEmpty(), "English texts under the German translation (listed above)");
        InstallTranslations(QLocale(QLocale::English));
    }
};

QTEST_MAIN(TranslationTest)
#include "TranslationTest.moc"
