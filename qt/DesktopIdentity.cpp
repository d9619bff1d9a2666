#include "qt/DesktopIdentity.h"

#include <QApplication>
#include <QIcon>

// Q_INIT_RESOURCE names a function of the global namespace.
static void InitialiseProgramIcons()
{
    Q_INIT_RESOURCE(ProgramIcons);
}

namespace qtui {

namespace {

// The icon as the installed theme has it, so that a theme's own drawing of it wins; from the
// build folder, or where the theme lacks it, the pictures built into the program.
QIcon ProgramIcon()
{
    InitialiseProgramIcons();
    QIcon builtIn;
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256})
        builtIn.addFile(QStringLiteral(":/orvane/hicolor/%1x%1/apps/orvane.png").arg(size), QSize(size, size));
    return QIcon::fromTheme(QStringLiteral("orvane"), builtIn);
}

}  // namespace

void ApplyDesktopIdentity(QApplication& application)
{
    QApplication::setApplicationName(QString::fromLatin1(WindowClass));
    QApplication::setDesktopFileName(QStringLiteral("orvane"));
    application.setWindowIcon(ProgramIcon());
}

}  // namespace qtui
