#include "BackgroundWidget.h"

#include <QPainter>

BackgroundWidget::BackgroundWidget(QWidget *parent)
    : QWidget(parent)
    , m_picture(QStringLiteral(":/pictures/BackgroundPicture.jpg"))
{
}

void BackgroundWidget::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().button());
    painter.drawPixmap(0, 0, m_picture);
}
