#pragma once

#include <QPixmap>
#include <QWidget>

// The window's client area: the background picture at its own size from the top-left corner,
// neither stretched nor tiled, and the button-face colour wherever the area reaches beyond it.
class BackgroundWidget : public QWidget
{
    Q_OBJECT

public:
    explicit BackgroundWidget(QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QPixmap m_picture;
};
