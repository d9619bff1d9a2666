#pragma once

// Where the named controls of the running program are, for the desktop suite, which finds a
// control by its name the way an accessibility tool would. Qt's own accessibility bridge does not
// publish a widget's object name, so the back end answers a plain file request instead, and only
// when the environment asks for it: with ORVANE_CONTROL_MAP=FILE set, a file FILE.ask (its content
// does not matter) is answered by removing it and writing FILE anew, one line per named control:
//
//     FORM.CONTROL WINDOW LEFT TOP WIDTH HEIGHT SHOWN
//
// WINDOW is the X id of the control's top-level window (0 while it has none), LEFT and TOP are
// the control's place in that window's client area, SHOWN is 1 when the control and all its
// parents are shown. Without the variable nothing of this runs.

#include <QObject>
#include <QString>

#include <memory>

class QTimer;

namespace tk {
class TApplication;
}

namespace qtui {

class ControlMap : public QObject {
public:
    // The application must outlive every turn of the message loop, as QtBackend's does.
    ControlMap(tk::TApplication& application, const QString& path);

    // A map when the environment names its file, otherwise none.
    static std::unique_ptr<ControlMap> FromEnvironment(tk::TApplication& application);

private:
    void AnswerRequest();
    QString Describe() const;

    tk::TApplication& m_application;
    QString m_path;
    QTimer* m_poll = nullptr;
};

}  // namespace qtui
