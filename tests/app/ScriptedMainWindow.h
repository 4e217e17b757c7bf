#pragma once

#include "app/TDemoForm.h"
#include "tests/support/ScriptedFileChooser.h"

#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace testsupport {

// The main window with scripted DTA file dialogs, shown and on screen, as every test of the
// DTA command starts; `dialogs` is set to the scripted dialogs the window owns.
inline std::unique_ptr<TDemoForm> showMainWindow(ScriptedFileChooser*& dialogs) {
    auto form = std::make_unique<TDemoForm>();
    auto chooser = std::make_unique<ScriptedFileChooser>();
    dialogs = chooser.get();
    form->setFileDialogs(std::move(chooser));
    form->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    return form;
}

} // namespace testsupport
