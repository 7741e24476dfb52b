// SPDX-License-Identifier: MIT
#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QTest>

#include "app/fretlux_form.h"
#include "scripted_host.h"
#include "ui/main_window.h"

namespace fretlux {

// A started, shown main window over a model with a scripted host.
class WindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(form.StartUp());
        window.SyncFromModel();
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }

    template <typename Widget>
    Widget& Find(const char* name) {
        auto* widget = window.findChild<Widget*>(QString::fromLatin1(name));
        if (widget == nullptr) throw std::runtime_error(std::string("no widget ") + name);
        return *widget;
    }

    void Trigger(const char* actionName) { Find<QAction>(actionName).trigger(); }

    testing::ScriptedHost host;
    FretluxForm form{host};
    MainWindow window{form};
};

}  // namespace fretlux
