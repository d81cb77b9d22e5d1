#include "ui/shell/AppStyle.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLibraryInfo>
#include <QMainWindow>
#include <QMenuBar>
#include <QPainter>
#include <QStyleFactory>
#include <QStyleOption>
#include <QtTest>
#include <memory>

namespace
{
// How many image format plugins this process has loaded.
int LoadedImagePlugins()
{
    QFile maps(QStringLiteral("/proc/self/maps"));
    if (!maps.open(QIODevice::ReadOnly))
        return -1;
    return static_cast<int>(
        QString::fromLatin1(maps.readAll()).count(QLatin1String("/imageformats/")));
}

bool ImagePluginsInstalled()
{
    const QDir dir(QLibraryInfo::path(QLibraryInfo::PluginsPath) + QStringLiteral("/imageformats"));
    return !dir.entryList(QDir::Files).isEmpty();
}

QImage Pixmap(const QIcon& icon, int size)
{
    return icon.pixmap(QSize(size, size)).toImage().convertToFormat(QImage::Format_ARGB32);
}
} // namespace

class CAppStyleTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // First: nothing else in this process may have read an image file yet.
    void AMenuBarLoadsNoImagePlugin();
    void ExtensionArrowsLookAsFusionDrawsThem();
    void OtherStylesAreLeftAlone();
    void DarkThemeIndicatorsKeepAVisibleEdge();
};

void CAppStyleTest::AMenuBarLoadsNoImagePlugin()
{
    QCOMPARE(LoadedImagePlugins(), 0);
    QApplication::setStyle(new CAppStyle(QStyleFactory::create(QStringLiteral("fusion"))));
    {
        QMainWindow window;
        window.menuBar()->addMenu(QStringLiteral("&File"));
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
    }
    QCOMPARE(LoadedImagePlugins(), 0);
    // Fusion itself loads them: the check above is worth something only where they exist.
    if (!ImagePluginsInstalled())
        QSKIP("no image format plugins installed");
    std::unique_ptr<QStyle> fusion(QStyleFactory::create(QStringLiteral("fusion")));
    QVERIFY(!fusion->standardIcon(QStyle::SP_ToolBarHorizontalExtensionButton).isNull());
    QVERIFY(LoadedImagePlugins() > 0);
}

void CAppStyleTest::ExtensionArrowsLookAsFusionDrawsThem()
{
    std::unique_ptr<QStyle> fusion(QStyleFactory::create(QStringLiteral("fusion")));
    CAppStyle appStyle(QStyleFactory::create(QStringLiteral("fusion")));
    const QStyle& ours = appStyle;
    QStyleOption rightToLeft;
    rightToLeft.direction = Qt::RightToLeft;
    for (const QStyle::StandardPixmap which :
         {QStyle::SP_ToolBarHorizontalExtensionButton, QStyle::SP_ToolBarVerticalExtensionButton})
        for (const QStyleOption* option : {static_cast<const QStyleOption*>(nullptr),
                                           static_cast<const QStyleOption*>(&rightToLeft)})
        {
            const QIcon expected = fusion->standardIcon(which, option);
            const QIcon actual = ours.standardIcon(which, option);
            QVERIFY(!actual.isNull());
            QCOMPARE(actual.availableSizes(), expected.availableSizes());
            for (const int size : {5, 8, 10, 12, 16, 20, 24, 32, 48})
                QCOMPARE(Pixmap(actual, size), Pixmap(expected, size));
        }
    // The right-to-left arrow is another image.
    QVERIFY(
        Pixmap(ours.standardIcon(QStyle::SP_ToolBarHorizontalExtensionButton, &rightToLeft), 16) !=
        Pixmap(ours.standardIcon(QStyle::SP_ToolBarHorizontalExtensionButton), 16));
}

void CAppStyleTest::OtherStylesAreLeftAlone()
{
    std::unique_ptr<QStyle> windows(QStyleFactory::create(QStringLiteral("windows")));
    CAppStyle appStyle(QStyleFactory::create(QStringLiteral("windows")));
    const QStyle& ours = appStyle;
    const QIcon expected = windows->standardIcon(QStyle::SP_ToolBarHorizontalExtensionButton);
    QCOMPARE(Pixmap(ours.standardIcon(QStyle::SP_ToolBarHorizontalExtensionButton), 16),
             Pixmap(expected, 16));
    // Fusion's other icons come from Fusion.
    std::unique_ptr<QStyle> fusion(QStyleFactory::create(QStringLiteral("fusion")));
    CAppStyle fusionStyle(QStyleFactory::create(QStringLiteral("fusion")));
    const QStyle& fusionOurs = fusionStyle;
    QCOMPARE(Pixmap(fusionOurs.standardIcon(QStyle::SP_ArrowUp), 16),
             Pixmap(fusion->standardIcon(QStyle::SP_ArrowUp), 16));
}

void CAppStyleTest::DarkThemeIndicatorsKeepAVisibleEdge()
{
    // An unticked box and an unchosen radio button of the dark theme's colours: the edge
    // stands out from the fill.
    CAppStyle style(QStyleFactory::create(QStringLiteral("fusion")));
    QStyleOptionButton option;
    option.rect = QRect(0, 0, 16, 16);
    option.state = QStyle::State_Enabled | QStyle::State_Off;
    const QColor base(0x23, 0x27, 0x2C);
    option.palette.setColor(QPalette::Window, QColor(0x2B, 0x30, 0x36));
    option.palette.setColor(QPalette::WindowText, QColor(0xE2, 0xE6, 0xEA));
    option.palette.setColor(QPalette::Base, base);
    for (const QStyle::PrimitiveElement element : {QStyle::PE_IndicatorCheckBox, QStyle::PE_IndicatorRadioButton})
    {
        QImage image(16, 16, QImage::Format_ARGB32);
        image.fill(base);
        {
            QPainter painter(&image);
            style.drawPrimitive(element, &option, &painter, nullptr);
        }
        int contrast = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                contrast = std::max(contrast, image.pixelColor(x, y).lightness() - base.lightness());
        QVERIFY2(contrast >= 40, qPrintable(QString::number(contrast)));
    }
}

QTEST_MAIN(CAppStyleTest)
#include "AppStyleTest.moc"
