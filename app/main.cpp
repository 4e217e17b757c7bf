#include "app/QtGermanTranslation.h"
#include "app/QtMessageSink.h"
#include "app/QtNoticeSink.h"
#include "app/TDemoForm.h"
#include "binding/ResultReporter.h"
#include "controls/KXDefaults.h"
#include "helpers/SepaCharSet.h"
#include "log/LogWriter.h"
#include "platform/DisplayCheck.h"

#include <QApplication>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    // Qt aborts with a stack of plugin messages when it finds no display; say in one line
    // what to do instead.
    if (!platform::displayAvailable()) {
        std::fputs("zalvodemo: no display found - start it with 'xvfb-run -a zalvodemo' or with "
                   "QT_QPA_PLATFORM=vnc and connect a VNC viewer to port 5900.\n",
                   stderr);
        return EXIT_FAILURE;
    }
    QApplication application(argc, argv);
    // Qt's own windows (file dialogs) take the face of ours.
    QApplication::setFont(kxdefaults::font());
    // Before the first widget, so every Qt text is German from the start.
    QtGermanTranslation qtGerman;

    SelectSepaCharSet(0);
    QtMessageSink messages;
    zalvo::ResultReporter::setSink(&messages);
    QtNoticeSink notices;
    LogWriter::process().setNoticeSink(&notices);

    int result = EXIT_SUCCESS;
    {
        TDemoForm window;
        window.show();
        result = application.exec();
    }
    LogWriter::process().setNoticeSink(nullptr);
    zalvo::ResultReporter::setSink(nullptr);
    return result;
}
