#include "qt/ControlMap.h"

#include "qt/WidgetPeer.h"
#include "toolkit/Application.h"
#include "toolkit/Control.h"
#include "toolkit/Form.h"

#include <QFile>
#include <QSaveFile>
#include <QTimer>
#include <QWidget>

namespace qtui {

namespace {

// How often the request file is looked for: well below the time a screenshot takes.
constexpr int PollMs = 40;

void DescribeControls(const tk::TComponent& owner, const QString& formName, QString& out)
{
    for (const tk::TComponent* component : owner.Components()) {
        if (const auto* control = dynamic_cast<const tk::TControl*>(component); control && !control->Name().empty()) {
            if (QWidget* widget = WidgetOf(*control)) {
                QWidget* window = widget->window();
                QPoint place = widget->mapTo(window, QPoint(0, 0));
                out += QStringLiteral("%1.%2 %3 %4 %5 %6 %7 %8\n")
                           .arg(formName, QString::fromLatin1(control->Name()))
                           .arg(static_cast<qulonglong>(window->internalWinId()))
                           .arg(place.x())
                           .arg(place.y())
                           .arg(widget->width())
                           .arg(widget->height())
                           .arg(widget->isVisible() ? 1 : 0);
            }
        }
        DescribeControls(*component, formName, out);
    }
}

}  // namespace

ControlMap::ControlMap(tk::TApplication& application, const QString& path)
    : m_application(application), m_path(path), m_poll(new QTimer(this))
{
    connect(m_poll, &QTimer::timeout, this, [this] { AnswerRequest(); });
    m_poll->start(PollMs);
}

std::unique_ptr<ControlMap> ControlMap::FromEnvironment(tk::TApplication& application)
{
    QString path = qEnvironmentVariable("ORVANE_CONTROL_MAP");
    if (path.isEmpty())
        return nullptr;
    return std::make_unique<ControlMap>(application, path);
}

void ControlMap::AnswerRequest()
{
    QString request = m_path + QStringLiteral(".ask");
    if (!QFile::exists(request))
        return;
    QFile::remove(request);
    // Written whole into a new temporary file beside the path and renamed into place, so that the
    // asker never reads half a map; whatever stood at the path (a pipe, say) is never opened.
    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly))
        return;
    file.write(Describe().toLatin1());
    file.commit();
}

QString ControlMap::Describe() const
{
    QString out;
    for (const tk::TForm* form : m_application.Forms()) {
        QString formName = QString::fromLatin1(form->Name());
        if (QWidget* widget = WidgetOf(*form)) {
            out += QStringLiteral("%1 %2 0 0 %3 %4 %5\n")
                       .arg(formName)
                       .arg(static_cast<qulonglong>(widget->internalWinId()))
                       .arg(widget->width())
                       .arg(widget->height())
                       .arg(widget->isVisible() ? 1 : 0);
        }
        DescribeControls(*form, formName, out);
    }
    return out;
}

}  // namespace qtui
