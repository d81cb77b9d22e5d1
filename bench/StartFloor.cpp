// moxa-start-floor: what a start costs in Qt alone. Linked like moxa, it shows one window
// with the toolbar's seven buttons and quits after the first paint, printing the same
// "toolbar-shown NS" line as moxa's start-up probe.
#include "base/Messages.h"
#include "ui/shell/StartupProbe.h"

#include <QApplication>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWidget>

#include <string_view>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Moxa"));
    auto* layout = new QVBoxLayout(&window);
    for (std::string_view text : {Messages::ButtonOrder, Messages::ButtonReports, Messages::ButtonFormulae,
                                  Messages::ButtonTechniques, Messages::ButtonComponents,
                                  Messages::ButtonProfiles, Messages::ButtonLiveUpdate})
        layout->addWidget(new QPushButton(QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()))));
    ArmStartupProbe(&window);
    window.show();
    return QApplication::exec();
}
