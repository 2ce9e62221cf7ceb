#include "app/AppContext.h"
#include "app/ui/WindowText.h"
#include "app/ui/formSelect.h"
#include "mainwin/ui/frmMain.h"
#include "platform/ui/QtFileDialogs.h"
#include "platform/ui/QtBeeper.h"
#include "platform/ui/QtClipboard.h"
#include "platform/ui/QtHelpViewer.h"
#include "platform/SerialPort.h"
#include "platform/ui/QtMessageBoxes.h"
#include "platform/ui/QtPrintSurface.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("RER6O250"));
    QApplication::setQuitOnLastWindowClosed(false);
    rer::ApplyWindowStyle();

    rer::QtMessageBoxes msg;
    rer::QtSettingsStore store;
    rer::QtSystemInfo sys;
    rer::QtHelpViewer help;
    rer::QtClipboard clipboard;
    rer::QtBeeper beeper;
    rer::QtPrintSurface printer;
    rer::QtFileDialogs fileDialogs(printer.printer());
    rer::QtSerialPort serial;
    rer::AppContext ctx({msg, store, sys, help, clipboard, beeper, &fileDialogs, &printer, &serial});
    ctx.programDir = QCoreApplication::applicationDirPath();

    rer::frmMain main(ctx);
    QObject::connect(&main, &rer::frmMain::programEnded, &app, &QCoreApplication::quit,
                     Qt::QueuedConnection);
    auto* select = new rer::formSelect(ctx, main);
    QObject::connect(select, &rer::formSelect::exitRequested, &app, &QCoreApplication::quit,
                     Qt::QueuedConnection);
    select->Form_Load();
    return app.exec();
}
