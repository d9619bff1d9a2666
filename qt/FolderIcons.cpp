#include "qt/FolderIcons.h"

#include <QPainter>
#include <QPixmap>
#include <QPolygon>

namespace qtui {

namespace {
constexpr int Size = 16;

const QColor Outline(0, 0, 0);
const QColor Yellow(255, 255, 0);
const QColor DarkYellow(128, 128, 0);
const QColor White(255, 255, 255);
const QColor Grey(192, 192, 192);
const QColor DarkGrey(128, 128, 128);
const QColor Green(0, 255, 0);

QPixmap Blank()
{
    QPixmap pixmap(Size, Size);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

// A closed folder: a tab on top of a yellow body.
QIcon DrawClosedFolder()
{
    QPixmap pixmap = Blank();
    QPainter painter(&pixmap);
    painter.setPen(Outline);
    painter.setBrush(Yellow);
    painter.drawPolygon(QPolygon({QPoint(1, 3), QPoint(5, 3), QPoint(6, 4), QPoint(14, 4),
                                  QPoint(14, 13), QPoint(1, 13)}));
    painter.setPen(White);
    painter.drawLine(2, 5, 13, 5);
    painter.drawLine(2, 5, 2, 12);
    return QIcon(pixmap);
}

// An open folder: the back of the body with its front flap tilted open.
QIcon DrawOpenFolder()
{
    QPixmap pixmap = Blank();
    QPainter painter(&pixmap);
    painter.setPen(Outline);
    painter.setBrush(DarkYellow);
    painter.drawPolygon(QPolygon({QPoint(1, 3), QPoint(5, 3), QPoint(6, 4), QPoint(12, 4), QPoint(12, 7),
                                  QPoint(1, 13)}));
    painter.setBrush(Yellow);
    painter.drawPolygon(QPolygon({QPoint(1, 13), QPoint(4, 7), QPoint(15, 7), QPoint(12, 13)}));
    return QIcon(pixmap);
}

// A fixed disk: a grey box with its green light.
QIcon DrawDrive()
{
    QPixmap pixmap = Blank();
    QPainter painter(&pixmap);
    painter.setPen(Outline);
    painter.setBrush(Grey);
    painter.drawRect(1, 6, 13, 6);
    painter.setPen(White);
    painter.drawLine(2, 7, 13, 7);
    painter.setPen(DarkGrey);
    painter.drawLine(2, 11, 13, 11);
    painter.fillRect(3, 9, 2, 1, Green);
    return QIcon(pixmap);
}

QIcon ThemeOr(const char* name, QIcon (*draw)())
{
    QIcon icon = QIcon::fromTheme(QString::fromLatin1(name));
    return icon.isNull() ? draw() : icon;
}
}  // namespace

QIcon OpenFolderIcon()
{
    return ThemeOr("folder-open", DrawOpenFolder);
}

QIcon ClosedFolderIcon()
{
    return ThemeOr("folder", DrawClosedFolder);
}

QIcon DriveIcon()
{
    return ThemeOr("drive-harddisk", DrawDrive);
}

}  // namespace qtui
