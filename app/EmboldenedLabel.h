#pragma once

#include <QLabel>

// A label whose caption is drawn bold even in a face that has no bold cut: the regular outlines,
// widened by a stroke of their own colour. Qt's own emboldening does not reach every kind of font
// file.
class EmboldenedLabel : public QLabel
{
    Q_OBJECT

public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent *event) override;
};
