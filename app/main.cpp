#include "app/QtGermanTranslation.h"
#include "app/QtMessageSink.h"
#include "app/QtNoticeSink.h"
#include "app/TDemoForm.h"
#include "binding/ResultReporter.h"
#include "controls/KXDefaults.h"
#include "helpers/SepaCharSet.h"
#include "log/LogWriter.h"

#include <QApplication>
#include <cstdio>
#include <cstdlib>

namespace {

// QApplication aborts with a stack of plugin messages when there is no display; tell the user
// in one line what to do instead.
bool displayAvailable() {
    for (const char* variable : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}) {
        const char* value = std::getenv(variable);
        if (value && *value) {
            return true;
        }
    }
    return false;
}

} // namespace

int main(int argc, char** argv) {
    if (!displayAvailable()) {
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
