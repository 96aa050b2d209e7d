#include "EmboldenedLabel.h"

#include <QPainter>
#include <QPainterPath>

void EmboldenedLabel::paintEvent(QPaintEvent *)
{
    QFont regular = font();
    regular.setBold(false);
    const QFontMetricsF metrics(regular);
    QPainterPath caption;
    caption.addText(contentsRect().left(), contentsRect().top() + metrics.ascent(), regular, text());

    // About a twenty-fourth of the em, the widening that synthetic bold usually adds.
    const QColor colour = palette().color(foregroundRole());
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(colour, QFontInfo(regular).pixelSize() / 24.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(colour);
    painter.drawPath(caption);
}
