#pragma once

// A fresh application on the Qt back end for each test, on Qt's offscreen platform. One
// QApplication serves the whole test program, as Qt allows only one.

#include "qt/ClassicLook.h"
#include "qt/QtBackend.h"
#include "qt/WidgetPeer.h"
#include "toolkit/Application.h"
#include "toolkit/Form.h"

#include <QApplication>
#include <QCoreApplication>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>

class QtFixture : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        if (QApplication::instance())
            return;
        static int argc = 1;
        static char name[] = "qt_tests";
        static char* argv[] = {name, nullptr};
        auto* application = new QApplication(argc, argv);
        qtui::ApplyClassicLook(*application);
    }

    QtFixture() { backend.Install(application); }

    // Gives the event loop a turn: queued flushes and posted events run.
    static void Turn()
    {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // A shown form of the given client size, its window up to date.
    tk::TForm* ShownForm(int clientWidth = 300, int clientHeight = 200)
    {
        tk::TForm* form = nullptr;
        application.CreateForm(form);
        form->SetClientWidth(clientWidth);
        form->SetClientHeight(clientHeight);
        form->Show();
        Turn();
        return form;
    }

    template <class T>
    T* Child(tk::TForm& form, tk::TWinControl* parent = nullptr)
    {
        auto* control = new T(&form);
        control->SetParent(parent ? parent : &form);
        return control;
    }

    template <class W = QWidget>
    static W* WidgetOf(const tk::TControl& control)
    {
        return dynamic_cast<W*>(qtui::WidgetOf(control));
    }

    qtui::QtBackend backend;
    tk::TApplication application;
};
