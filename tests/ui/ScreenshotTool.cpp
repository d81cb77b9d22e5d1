// Takes a screenshot of every window on a copy of the sample data folder with the example
// order open, in one theme and one toolbar orientation: one PNG of the whole screen per scene
// of the window tour (the tool windows docked beside the toolbar, the dialogs over it), named
// THEME-ORIENTATION-SCENE.png in OUTPUT_DIR.
// Usage: moxa-screenshots DATA_FOLDER THEME_FILE vertical|horizontal OUTPUT_DIR
#include "WindowTour.h"

#include "base/SettingsStore.h"
#include "ui/shell/AppContext.h"
#include "ui/shell/AppStyle.h"
#include "ui/shell/Translations.h"
#include "ui/MainWindows.h"

#include <QApplication>
#include <QPixmap>
#include <QScreen>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QApplication::setStyle(new CAppStyle);
    InstallTranslations(); // the locale's language, as moxa speaks it (LANGUAGE=de: German)
    const std::string orientation = argc == 5 ? argv[3] : "";
    if (argc != 5 || (orientation != "vertical" && orientation != "horizontal"))
    {
        std::fprintf(stderr, "usage: moxa-screenshots DATA_FOLDER THEME_FILE vertical|horizontal OUTPUT_DIR\n");
        return 2;
    }
    RegisterOrderWindows();
    CUpdateDialog::Register();
    CAppContext app(argv[1], std::make_unique<CMemorySettingsStore>());
    app.Start(nullptr);
    app.Settings().CurrentTheme = argv[2];
    app.Settings().VerticalToolbar = orientation == "vertical";
    app.Settings().DockingMode = true;
    app.Settings().GlobalHotkeys = false;
    app.ReloadTheme();
    app.Order().Read(std::filesystem::path(argv[1]) / "Orders/example_order.xml", app.Database());

    CToolbarWindow toolbar(app);
    toolbar.Initialise();
    CWindowTour tour(app, toolbar);
    const std::string prefix = std::string(argv[4]) + "/" + std::filesystem::path(argv[2]).stem().string() + "-" +
                               orientation + "-";
    std::size_t next = 0;
    bool saved = true;
    // One scene a second: time for the window manager to frame and place the windows.
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout,
                     [&]
                     {
                         if (next > 0)
                         {
                             const std::string file = prefix + TourScenes()[next - 1] + ".png";
                             saved = QApplication::primaryScreen()->grabWindow(0).save(QString::fromStdString(file)) &&
                                     saved;
                             std::printf("%s\n", file.c_str());
                         }
                         else
                             toolbar.move(0, 0); // mapped by now: the window manager takes the move
                         if (next == TourScenes().size())
                         {
                             // Leave without the shutdown sequence: its questions would wait for a person.
                             std::fflush(nullptr);
                             std::_Exit(saved ? 0 : 1);
                         }
                         tour.Show(TourScenes()[next++]);
                     });
    timer.start(1200);
    return QApplication::exec();
}
