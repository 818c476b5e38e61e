// The program's own pictures: the toolbar's, the bottom panel's and the application icon,
// drawn at start-up so nothing ships as an image file.
#pragma once

#include <QIcon>
#include <QPixmap>

QIcon toolButtonIcon(const QString& buttonName);
QPixmap bottomPanelPicture(const QSize& size);
QIcon applicationIcon();
